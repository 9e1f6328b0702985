#include "persistence/egg_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <cstdio>
#include <sys/file.h>
#include <sys/stat.h>
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

QString reasonOfLastError(const QFileDevice &file)
{
    return reasonOf(lastSystemError(), file.errorString());
}

// Why the name leads to nothing that can be looked at, when the reason is
// another than that nothing is there: a folder on the way that may not be
// entered, a loop of links, a name too long. Empty otherwise.
QString unreachable(const QString &fileName)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    // What is missing, and a file where a folder should be, the checks
    // after this one name more exactly.
    if (::stat(QFile::encodeName(fileName).constData(), &status) == 0 || errno == ENOENT || errno == ENOTDIR)
        return {};
    if (errno == EACCES)
        return QStringLiteral("途中のフォルダーに入る許可がありません。");
    return reasonOf(errno, QString());
#else
    Q_UNUSED(fileName);
    return {};
#endif
}

// Something that exists under the name but is neither a file nor a folder: a
// device, a pipe, a socket.
bool isSpecial(const QFileInfo &info) { return info.exists() && !info.isFile() && !info.isDir(); }

// Why a file cannot be written under this name, found before anything is
// written; empty when nothing stands in the way that can be seen beforehand.
QString writeObstacle(const QString &fileName)
{
    if (const QString reason = unreachable(fileName); !reason.isEmpty())
        return reason;
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
// it is only seen by the overwrite save's check. A holder that never lets go
// (a stopped program) may not hang the game: false after the last try. A
// file system without locks only has the check.
bool lockWhole(QFile &file, const EggLockPause &pause)
{
#ifdef Q_OS_UNIX
    for (int tries = 1;; ++tries) {
        if (::flock(file.handle(), LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return true;
        if (!pause || tries >= kEggLockTries)
            return false;
        pause(kEggLockPauseMs);
    }
#else
    Q_UNUSED(file);
    Q_UNUSED(pause);
    return true;
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

// QSaveFile names its temporary file after the target, which fails for a
// name near the length limit; this one is short. Where the folder takes no
// new file at all (one that belongs to someone else), nothing is written:
// emptying the file to rewrite it would lose it to a kill halfway.
Written replaceThroughShortName(const QString &fileName, const QByteArray &bytes, EggFileMark *mark)
{
    const QFileInfo target(fileName);
    const QString path = target.exists() ? target.canonicalFilePath() : target.absoluteFilePath();
    QTemporaryFile temporary(QFileInfo(path).absolutePath() + QStringLiteral("/.egg-XXXXXX"));
    if (!temporary.open()) {
        return {reasonOfLastError(temporary)
                + QStringLiteral("このフォルダーには、置きかえに使う一時ファイルを作れません。別のフォルダーに保存してください。")};
    }
    if (target.exists())
        temporary.setPermissions(target.permissions());
    if (temporary.write(bytes) != bytes.size() || !syncToDisk(temporary))
        return {reasonOfLastError(temporary)};
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return {reasonOf(errno, QString())};
    temporary.setAutoRemove(false);
    if (mark)
        *mark = {fileName, bytes.size(), bytes.right(kMarkBytes)};
    return {};
}

// Save as: the new content replaces the file only once complete.
Written replace(const QString &fileName, const QByteArray &bytes, EggFileMark *mark)
{
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return replaceThroughShortName(fileName, bytes, mark);
    if (out.write(bytes) != bytes.size()) {
        const QString reason = reasonOfLastError(out);
        out.cancelWriting();
        return {reason};
    }
    if (!out.commit()) {
        // Its temporary name is the target's with a suffix: too long where
        // the target's name is near the limit.
        if (lastSystemError() == ENAMETOOLONG)
            return replaceThroughShortName(fileName, bytes, mark);
        return {reasonOfLastError(out)};
    }
    if (mark)
        *mark = {fileName, bytes.size(), bytes.right(kMarkBytes)};
    return {};
}

const QString kWholeGameHint =
    QStringLiteral("「名前をつけて保存」なら、いまのゲームをまるごと書き出せます。");

QString tooLargeReason()
{
    return QStringLiteral("ファイルが大きすぎます（セーブファイルは%1MBまでです）。").arg(kMaxEggFileBytes / (1024 * 1024));
}

// Why a file the game knows may not be added to: it no longer holds what the
// game last read or wrote there. Adding to a file emptied, cut short or
// replaced would leave a fragment that looks like a saved game.
QString changedSince(const EggFileMark &mark, QFile &file, qint64 size)
{
    const char *changed = nullptr;
    if (size == 0 && mark.size > 0)
        changed = "ファイルが空になっています。";
    else if (size < mark.size)
        changed = "ファイルが短くなっています。";
    else if (bytesBefore(file, mark.size) != mark.tail)
        changed = "ファイルの中身が、開いたか保存したときと変わっています。";
    else if (mark.unfinished > 0 && size > mark.size)
        changed = "書きかけだった最後のレコードのあとに、何かが書き足されています。";
    if (!changed)
        return {};
    return QString::fromUtf8(changed) + QStringLiteral("ほかのプログラムに書きかえられたようです。");
}

// Why the file's bytes up to `end` are no ground for new records: they must
// read as whole records (a line left without its end would swallow the first
// new one) and leave room for `adding` more.
QString unsoundGround(const QByteArray &held, qint64 end, bool known, qsizetype adding)
{
    const EggDecoded decoded = decodeEgg(QByteArrayView(held).first(end));
    if (!decoded.ok() || decoded.unfinishedBytes > 0) {
        if (known)
            return QStringLiteral("ファイルの終わりに、レコードになっていない書きかけの部分があります。"
                                  "ほかのプログラムに書きかえられたようです。");
        return QStringLiteral("セーブファイルとして読めないファイルです（%1）")
            .arg(decoded.ok() ? QStringLiteral("最後のレコードが書きかけです。") : decoded.error);
    }
    const qsizetype count = qsizetype(decoded.content.records.size());
    if (count + adding > kMaxEggRecords)
        return QStringLiteral("ファイルにはもう%1件のレコードがあり、%2件を足すと%3件をこえてしまいます。")
            .arg(count)
            .arg(adding)
            .arg(kMaxEggRecords);
    return {};
}

// The overwrite save adds this run's new records at the end of the file, in
// place: records another program added meanwhile stay, and only the new
// lines need room.
Written appendInPlace(const QString &fileName, const QByteArray &records, qsizetype adding, EggFileMark *mark,
                      const EggLockPause &pause)
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
    if (!lockWhole(file, pause))
        return {QStringLiteral("ほかのプログラムがこのファイルを使っています。しばらくしてから、もう一度保存してください。")};
    const qint64 size = file.size();
    if (size > kMaxEggFileBytes)
        return {tooLargeReason()};
    if (known) {
        if (const QString changed = changedSince(*mark, file, size); !changed.isEmpty())
            return {changed};
    }
    const QByteArray held = file.seek(0) ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError || held.size() != size)
        return {QStringLiteral("いまの内容を読めません。%1").arg(reasonOfLastError(file))};
    // The unfinished record the game was opened with goes; nothing else.
    const qint64 end = known ? size - mark->unfinished : size;
    if (const QString unsound = unsoundGround(held, end, known, adding); !unsound.isEmpty())
        return {unsound};

    QByteArray bytes = records;
    if (const char last = end > 0 ? held.at(end - 1) : '\n'; !bytes.isEmpty() && last != '\n' && last != '\r')
        bytes.prepend("\r\n");
    if (eggAppendLockedForTest)
        eggAppendLockedForTest();
    if (file.resize(end) && file.write(bytes) == bytes.size() && syncToDisk(file)) {
        if (mark)
            *mark = {fileName, end + bytes.size(), bytesBefore(file, end + bytes.size())};
        return {};
    }
    const QString reason = reasonOfLastError(file);
    const QByteArray cut = held.sliced(end);
    return {reason, file.resize(end) && file.write(cut) == cut.size() && syncToDisk(file)};
}

// `adding`: how many records an overwrite save adds; none for a save as.
QString writeEgg(const QString &what, const QString &fileName, const EggEncoded &encoded,
                 std::optional<qsizetype> adding, EggFileMark *mark, const EggLockPause &pause)
{
    const bool append = adding.has_value();
    if (!encoded.ok())
        return failure(what, fileName, encoded.error, kFileKept);
    if (const QString obstacle = writeObstacle(fileName); !obstacle.isEmpty())
        return failure(what, fileName, obstacle, kFileKept);

    Written written;
    if (isSpecial(QFileInfo(fileName)))
        written.reason = writeInPlace(fileName, encoded.bytes, append);
    else if (append)
        written = appendInPlace(fileName, encoded.bytes, *adding, mark, pause);
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
    if (QDir::isAbsolutePath(name))
        return QDir::toNativeSeparators(name);
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

    if (const QString reason = unreachable(fileName); !reason.isEmpty())
        return refuse(reason);
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

    const QString tooLarge = tooLargeReason();
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
    result.mark = {fileName, bytes.size(), bytes.right(kMarkBytes), decoded.unfinishedBytes};
    return result;
}

QString saveEggFileAs(const QString &fileName, std::span<const WordRecord> loaded, std::span<const WordRecord> made,
                      EggFileMark *mark)
{
    return writeEgg(kSaveAsFailed, fileName, encodeEgg(loaded, made), std::nullopt, mark, {});
}

QString appendEggFile(const QString &fileName, std::span<const WordRecord> made, EggFileMark *mark,
                      const EggLockPause &pause)
{
    return writeEgg(kAppendFailed, fileName, encodeEgg(made), qsizetype(made.size()), mark, pause);
}
