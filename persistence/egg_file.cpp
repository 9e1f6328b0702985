#include "persistence/egg_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
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

// How much of its end an overwrite save compares with what the game knows.
constexpr qsizetype kMarkBytes = 256;

// Two games saving to one file take turns; everything else that writes to
// it is only seen by the overwrite save's check.
void lockWhole(QFile &file)
{
#ifdef Q_OS_UNIX
    while (::flock(file.handle(), LOCK_EX) != 0 && errno == EINTR) {
    }
#else
    Q_UNUSED(file);
#endif
}

bool syncToDisk(QFile &file)
{
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return file.flush();
#endif
}

// The bytes before `end`, up to kMarkBytes of them.
QByteArray bytesBefore(QFile &file, qint64 end)
{
    const qint64 from = std::max<qint64>(0, end - kMarkBytes);
    return file.seek(from) ? file.read(end - from) : QByteArray();
}

// How a write ended: why it failed, and whether the file is still as it was.
struct Written {
    QString reason; // empty when written
    bool fileKept = true;
};

// Where no temporary file can be made beside a file the user may write
// (a folder that belongs to someone else), the file itself is rewritten. A
// failure puts the old content back, into the room its truncation freed.
Written rewriteInPlace(const QString &fileName, const QByteArray &bytes, EggFileMark *mark)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return {reasonOfLastError(file)};
    lockWhole(file);
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {QStringLiteral("いまの内容を読めません。%1").arg(reasonOfLastError(file))};
    if (file.resize(0) && file.seek(0) && file.write(bytes) == bytes.size() && syncToDisk(file)) {
        if (mark)
            *mark = {fileName, bytes.size(), bytes.right(kMarkBytes)};
        return {};
    }
    const QString reason = reasonOfLastError(file);
    const bool restored =
        file.resize(0) && file.seek(0) && file.write(old) == old.size() && syncToDisk(file);
    return {reason, restored};
}

// Save as: the new content replaces the file only once complete.
Written replace(const QString &fileName, const QByteArray &bytes, EggFileMark *mark)
{
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QString reason = reasonOfLastError(out);
        if (QFileInfo(fileName).isFile())
            return rewriteInPlace(fileName, bytes, mark);
        return {reason};
    }
    if (out.write(bytes) != bytes.size()) {
        const QString reason = reasonOfLastError(out);
        out.cancelWriting();
        return {reason};
    }
    if (!out.commit())
        return {reasonOfLastError(out)};
    if (mark)
        *mark = {fileName, bytes.size(), bytes.right(kMarkBytes)};
    return {};
}

const QString kWholeGameHint =
    QStringLiteral("「名前をつけて保存」なら、いまのゲームをまるごと書き出せます。");

// The overwrite save adds this run's new records at the end of the file, in
// place: records another program added meanwhile stay, and only the new
// lines need room. It first checks that the file still holds what the game
// last read or wrote there; adding to a file emptied, cut short or replaced
// would leave a fragment that looks like a saved game.
Written appendInPlace(const QString &fileName, const QByteArray &records, EggFileMark *mark)
{
    const bool known = mark && mark->fileName == fileName;
    QFile file(fileName);
    QIODevice::OpenMode mode = QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered;
    if (known)
        mode |= QIODevice::ExistingOnly;
    if (!file.open(mode)) {
        if (known && !QFileInfo::exists(fileName))
            return {QStringLiteral("ファイルがなくなっています。開いたか保存したあとで、"
                                   "消されたか名前を変えられたようです。")};
        return {reasonOfLastError(file)};
    }
    lockWhole(file);
    const qint64 size = file.size();
    if (known) {
        const char *changed = nullptr;
        if (size == 0 && mark->size > 0)
            changed = "ファイルが空になっています。";
        else if (size < mark->size)
            changed = "ファイルが短くなっています。";
        else if (bytesBefore(file, mark->size) != mark->tail)
            changed = "ファイルの中身が、開いたか保存したときと変わっています。";
        if (changed)
            return {QString::fromUtf8(changed) + QStringLiteral("ほかのプログラムに書きかえられたようです。")};
    }
    // A last line without its line end would swallow the first new record
    // into its last field.
    QByteArray bytes = records;
    if (const QByteArray last = bytesBefore(file, size).right(1); !bytes.isEmpty() && !last.isEmpty()
        && last != "\n" && last != "\r")
        bytes.prepend("\r\n");
    if (eggAppendLockedForTest)
        eggAppendLockedForTest();
    if (file.write(bytes) != bytes.size() || !syncToDisk(file)) {
        const QString reason = reasonOfLastError(file);
        return {reason, file.resize(size) && syncToDisk(file)};
    }
    if (mark)
        *mark = {fileName, size + bytes.size(), bytesBefore(file, size + bytes.size())};
    return {};
}

QString writeEgg(const QString &what, const QString &fileName, const EggEncoded &encoded, bool append,
                 EggFileMark *mark)
{
    if (!encoded.ok())
        return failure(what, fileName, encoded.error, kFileKept);
    if (const QString obstacle = writeObstacle(fileName); !obstacle.isEmpty())
        return failure(what, fileName, obstacle, kFileKept);

    Written written;
    if (isSpecial(QFileInfo(fileName)))
        written.reason = writeInPlace(fileName, encoded.bytes, append);
    else if (append)
        written = appendInPlace(fileName, encoded.bytes, mark);
    else
        written = replace(fileName, encoded.bytes, mark);
    if (written.reason.isEmpty())
        return {};
    QString kept = written.fileKept ? kFileKept : QStringLiteral("ファイルが書きかけのままかもしれません。");
    if (append)
        kept += u'\n' + kWholeGameHint;
    return failure(what, fileName, written.reason, kept);
}

} // namespace

std::function<void()> eggAppendLockedForTest;

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
    result.mark = {fileName, bytes.size(), bytes.right(kMarkBytes)};
    return result;
}

QString saveEggFileAs(const QString &fileName, std::span<const WordRecord> loaded, std::span<const WordRecord> made,
                      EggFileMark *mark)
{
    return writeEgg(kSaveAsFailed, fileName, encodeEgg(loaded, made), false, mark);
}

QString appendEggFile(const QString &fileName, std::span<const WordRecord> made, EggFileMark *mark)
{
    return writeEgg(kAppendFailed, fileName, encodeEgg(made), true, mark);
}
