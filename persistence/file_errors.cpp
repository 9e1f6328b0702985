#include "persistence/file_errors.h"

#include <cerrno>

QString reasonOf(int error, const QString &qtText)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("ファイルまたはフォルダーがありません。");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが許可されていません。");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("ディスクがいっぱいです。");
    case EFBIG:
        return QStringLiteral("ファイルが大きくなりすぎて書けません。");
    case EROFS:
        return QStringLiteral("書き込みのできない場所です。");
    case EISDIR:
        return QStringLiteral("ファイルではなくフォルダーです。");
    case ENOTDIR:
        return QStringLiteral("途中にフォルダーではないものがあります。");
    case ENAMETOOLONG:
        return QStringLiteral("名前が長すぎます。");
#ifdef ELOOP
    case ELOOP:
        return QStringLiteral("シンボリックリンクが輪になっていて、ファイルにたどりつけません。");
#endif
#ifdef ENXIO
    case ENXIO:
        return QStringLiteral("読みとるプログラムのいないパイプ（FIFO）なので、書きこめません。");
#endif
    case EIO:
        return QStringLiteral("ディスクの読み書きでエラーが起きました。");
    default:
        break;
    }
    if (qtText.isEmpty())
        return QStringLiteral("原因のわからないエラーが起きました。");
    return QStringLiteral("システムのエラーです（%1）。").arg(qtText);
}
