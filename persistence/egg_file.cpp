#include "persistence/egg_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const QString kOpenFailed = QStringLiteral("ファイルを開けませんでした。");
const QString kSaveAsFailed = QStringLiteral("名前を付けて保存できませんでした。");
const QString kAppendFailed = QStringLiteral("上書き保存できませんでした。");
const QString kGameKept = QStringLiteral("いまのゲームはそのままです。");
const QString kFileKept = QStringLiteral("ファイルは変更していません。");

QString failure(const QString &what, const QString &fileName, const QString &why, const QString &kept)
{
    return QStringLiteral("%1\nファイル：%2\n理由：%3\n%4")
        .arg(what, QDir::toNativeSeparators(fileName), why, kept);
}

// Qt reports file errors in English only; on Unix the errno of the failed
// call is still there to give the reason in Japanese.
int lastSystemError()
{
#ifdef Q_OS_UNIX
    return errno;
#else
    return 0;
#endif
}

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
    case EIO:
        return QStringLiteral("ディスクの読み書きでエラーが起きました。");
    default:
        break;
    }
    if (qtText.isEmpty())
        return QStringLiteral("原因のわからないエラーが起きました。");
    return QStringLiteral("システムのエラーです（%1）。").arg(qtText);
}

QString reasonOfLastError(const QFileDevice &file)
{
    return reasonOf(lastSystemError(), file.errorString());
}

// Something that exists under the name but is neither a file nor a folder: a
// device, a pipe, a socket.
bool isSpecial(const QFileInfo &info) { return info.exists() && !info.isFile() && !info.isDir(); }

// Why a file cannot be written under this name, found before anything is
// written; empty when nothing stands in the way that can be seen beforehand.
QString writeObstacle(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (info.isDir())
        return QStringLiteral("同じ名前のフォルダーがあります。");
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("保存先のフォルダー「%1」がありません。")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isDir())
        return QStringLiteral("「%1」はフォルダーではありません。")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    if (info.exists() && !info.isWritable())
        return QStringLiteral("このファイルへの書き込みが許可されていません。");
    if (!info.exists() && !folder.isWritable())
        return QStringLiteral("フォルダー「%1」に書き込む許可がありません。")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    return {};
}

// A device cannot be replaced through a temporary file (that would put a
// plain file in its place), so it is written in place; a pipe without a
// reader fails at once instead of blocking the game.
QString writeInPlace(const QString &fileName, const QByteArray &bytes, bool append)
{
    QFile file;
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(fileName).constData(),
                          O_WRONLY | O_NONBLOCK | O_CLOEXEC | (append ? O_APPEND : 0));
    if (fd < 0)
        return reasonOf(errno, QString());
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return reasonOfLastError(file);
    }
#else
    file.setFileName(fileName);
    QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    if (append)
        mode |= QIODevice::Append;
    if (!file.open(mode))
        return reasonOfLastError(file);
#endif
    if (file.write(bytes) != bytes.size())
        return reasonOfLastError(file);
    return {};
}

// Writes the old content (when appending) and then `bytes` into a temporary
// file that replaces the named one only when complete.
QString replaceThroughTemporary(const QString &fileName, const QByteArray &bytes, bool keepOld)
{
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return reasonOfLastError(out);

    if (keepOld && QFileInfo::exists(fileName)) {
        QFile old(fileName);
        if (!old.open(QIODevice::ReadOnly)) {
            const QString reason = reasonOfLastError(old);
            out.cancelWriting();
            return QStringLiteral("いまの内容を読めません。%1").arg(reason);
        }
        char last = '\n';
        QByteArray chunk;
        while (!(chunk = old.read(1 << 16)).isEmpty()) {
            if (out.write(chunk) != chunk.size()) {
                const QString reason = reasonOfLastError(out);
                out.cancelWriting();
                return reason;
            }
            last = chunk.back();
        }
        if (old.error() != QFileDevice::NoError) {
            const QString reason = reasonOfLastError(old);
            out.cancelWriting();
            return QStringLiteral("いまの内容を読めません。%1").arg(reason);
        }
        // A last line without its line end would swallow the first new
        // record into its last field.
        if (last != '\n' && last != '\r' && out.write("\r\n", 2) != 2) {
            const QString reason = reasonOfLastError(out);
            out.cancelWriting();
            return reason;
        }
    }
    if (out.write(bytes) != bytes.size()) {
        const QString reason = reasonOfLastError(out);
        out.cancelWriting();
        return reason;
    }
    if (!out.commit())
        return reasonOfLastError(out);
    return {};
}

QString writeEgg(const QString &what, const QString &fileName, const EggEncoded &encoded, bool append)
{
    if (!encoded.ok())
        return failure(what, fileName, encoded.error, kFileKept);
    if (const QString obstacle = writeObstacle(fileName); !obstacle.isEmpty())
        return failure(what, fileName, obstacle, kFileKept);

    const QFileInfo info(fileName);
    if (append && encoded.bytes.isEmpty() && info.isFile())
        return {};
    const QString reason = isSpecial(info) ? writeInPlace(fileName, encoded.bytes, append)
                                           : replaceThroughTemporary(fileName, encoded.bytes, append);
    if (!reason.isEmpty())
        return failure(what, fileName, reason, kFileKept);
    return {};
}

} // namespace

QString withEggExtension(const QString &fileName)
{
    if (fileName.endsWith(u".egg") || fileName.endsWith(u".EGG"))
        return fileName;
    return fileName + QStringLiteral(".egg");
}

QString joinFolderAndName(const QString &folder, const QString &name)
{
    const QString native = QDir::toNativeSeparators(folder);
    if (native.endsWith(QDir::separator()))
        return native + name;
    return native + QDir::separator() + name;
}

EggLoad loadEggFile(const QString &fileName)
{
    EggLoad result;
    auto refuse = [&](const QString &why) {
        result.message = failure(kOpenFailed, fileName, why, kGameKept);
        return result;
    };

    const QFileInfo info(fileName);
    if (!info.exists()) {
        const QFileInfo folder(info.absolutePath());
        if (!folder.isDir())
            return refuse(QStringLiteral("フォルダー「%1」がありません。")
                              .arg(QDir::toNativeSeparators(folder.filePath())));
        return refuse(QStringLiteral("ファイルがありません。"));
    }
    if (info.isDir())
        return refuse(QStringLiteral("ファイルではなくフォルダーです。"));
    // A device or a pipe may never end (or never answer).
    if (!info.isFile())
        return refuse(QStringLiteral("ふつうのファイルではありません。"));
    if (!info.isReadable())
        return refuse(QStringLiteral("このファイルを読む許可がありません。"));

    const QString tooLarge = QStringLiteral("ファイルが大きすぎます（セーブファイルは%1MBまでです）。")
                                 .arg(kMaxEggFileBytes / (1024 * 1024));
    if (info.size() > kMaxEggFileBytes)
        return refuse(tooLarge);

    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(reasonOfLastError(file));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refuse(QStringLiteral("読み込みの途中でエラーが起きました。%1").arg(reasonOfLastError(file)));
    if (bytes.size() > kMaxEggFileBytes)
        return refuse(tooLarge);
    file.close();

    EggDecoded decoded = decodeEgg(bytes);
    if (!decoded.ok())
        return refuse(decoded.error);
    result.content = std::move(decoded.content);
    return result;
}

QString saveEggFileAs(const QString &fileName, std::span<const WordRecord> loaded,
                      std::span<const WordRecord> made)
{
    return writeEgg(kSaveAsFailed, fileName, encodeEgg(loaded, made), false);
}

QString appendEggFile(const QString &fileName, std::span<const WordRecord> made)
{
    return writeEgg(kAppendFailed, fileName, encodeEgg(made), true);
}
