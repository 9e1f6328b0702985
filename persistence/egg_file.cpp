#include "persistence/egg_file.h"

#include "persistence/file_errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
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
    return QStringLiteral("%1\nファイル：%2\n理由：%3\n%4").arg(what, QDir::toNativeSeparators(fileName), why, kept);
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

QString reasonOfLastError(const QFileDevice &file) { return reasonOf(lastSystemError(), file.errorString()); }

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
        return QStringLiteral("「%1」はフォルダーではありません。").arg(QDir::toNativeSeparators(folder.filePath()));
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

// The file open under `file` is still the one its name stands for: a save
// as puts another file in its place.
bool isUnderName(const QFile &file)
{
#ifdef Q_OS_UNIX
    struct stat held {};
    struct stat named {};
    return ::fstat(file.handle(), &held) == 0 && ::stat(QFile::encodeName(file.fileName()).constData(), &named) == 0
           && held.st_dev == named.st_dev && held.st_ino == named.st_ino;
#else
    Q_UNUSED(file);
    return true;
#endif
}

enum class Lock { Taken, Busy, Unopened };

// Two games saving to one file take turns; everything else that writes to
// it is only seen by the overwrite save's check. A holder that never lets go
// (a stopped program) may not hang the game: Busy after the last try. A
// file system without locks only has the check. The lock counts only on the
// file the name stands for once it is taken: a file a save as replaced while
// the lock was waited for is let go and the new one opened, within the same
// tries, so that nothing is written into a file no name leads to any more.
// Unopened: the open failed, errno says why.
Lock lockUnderName(QFile &file, QIODevice::OpenMode mode, const EggLockPause &pause)
{
#ifdef Q_OS_UNIX
    for (int tries = 1;; ++tries) {
        if (!file.isOpen() && !file.open(mode))
            return Lock::Unopened;
        const int error = ::flock(file.handle(), LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
        const bool busy = error == EWOULDBLOCK;
        if (!busy && error != EINTR) { // taken, or no locks on this file system
            if (isUnderName(file))
                return Lock::Taken;
            file.close();
        }
        if (tries >= kEggLockTries || (busy && !pause))
            return Lock::Busy;
        if (busy)
            pause(kEggLockPauseMs);
    }
#else
    Q_UNUSED(pause);
    return file.open(mode) ? Lock::Taken : Lock::Unopened;
#endif
}

const QString kFileInUse =
    QStringLiteral("ほかのプログラムがこのファイルを使っています。しばらくしてから、もう一度保存してください。");

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

const QString kNoTemporary =
    QStringLiteral("このフォルダーには、置きかえに使う一時ファイルを作れません。別のフォルダーに保存してください。");

#ifdef Q_OS_UNIX

// A save as writes beside its target under a name that says whose file it is
// and for which target, ".<target>.nanairobako-XXXXXX", hidden; what a kill
// leaves there, the next save as to that target clears away. Where the
// target's name is too long for that, ".nanairobako-XXXXXX" serves.
constexpr char kTemporaryMark[] = ".nanairobako-";
constexpr qsizetype kTemporaryLetters = 6;

bool isTemporaryOf(const QByteArray &entry, const QByteArray &target)
{
    const QByteArray prefix = '.' + target + kTemporaryMark;
    return entry.size() == prefix.size() + kTemporaryLetters && entry.startsWith(prefix)
           && std::all_of(entry.end() - kTemporaryLetters, entry.end(), [](char c) {
                  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
              });
}

bool sameFile(const struct stat &a, const struct stat &b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Whether `fd` is the file `path` names, itself and not through a link.
bool isNamedBy(int fd, const QByteArray &path)
{
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.constData(), &named) == 0 && sameFile(held, named);
}

// Removes what save-as runs to this target left when they were killed. A
// copy of the game still writing its file holds it locked: that one stays.
void removeLeftovers(const QByteArray &folder, const QByteArray &target)
{
    DIR *listing = ::opendir(folder.constData());
    if (!listing)
        return;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (!isTemporaryOf(name, target))
            continue;
        const QByteArray path = folder + '/' + name;
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat held {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode)
            && isNamedBy(fd, path))
            ::unlink(path.constData());
        ::close(fd);
    }
    ::closedir(listing);
}

// A new file named `prefix` and six random letters in `folder`, open and
// locked for as long as it is written; -1 with errno when none can be made.
int createTemporary(const QByteArray &folder, const QByteArray &prefix, QByteArray &path)
{
    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray suffix(kTemporaryLetters, 'X');
        for (char &c : suffix)
            c = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        path = folder + '/' + prefix + suffix;
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return -1;
        // Another save as clearing leftovers may have found it before it was
        // locked; then it is that one's to remove, and another name is taken.
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && isNamedBy(fd, path))
            return fd;
        if (fd >= 0)
            ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (written < 0 && errno != EINTR)
            return false;
        done += std::max<ssize_t>(written, 0);
    }
    return true;
}

// A rename that fails with EEXIST rather than replace a file that came
// under the name meanwhile, where the file system can tell.
int renameOntoNothing(const char *from, const char *to)
{
#ifdef RENAME_NOREPLACE
    const int moved = ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
    if (moved == 0 || (errno != EINVAL && errno != ENOSYS))
        return moved;
#endif
    return std::rename(from, to);
}

// Save as: the new content replaces the file only once complete and on disk,
// so a failure or a kill leaves the old file. Where the folder takes no new
// file at all (one that belongs to someone else), nothing is written:
// emptying the file to rewrite it would lose it to a kill halfway.
Written replace(const QString &fileName, const QByteArray &bytes, EggFileMark *mark, const EggLockPause &pause)
{
    const QFileInfo target(fileName);
    const QFileInfo resolved(target.exists() ? target.canonicalFilePath() : target.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(resolved.absolutePath());
    const QByteArray name = QFile::encodeName(resolved.fileName());
    const QByteArray path = folder + '/' + name;
    removeLeftovers(folder, name);

    QByteArray temporary;
    int fd = createTemporary(folder, '.' + name + kTemporaryMark, temporary);
    if (fd < 0 && errno == ENAMETOOLONG)
        fd = createTemporary(folder, kTemporaryMark, temporary);
    if (fd < 0)
        return {reasonOf(errno, QString()) + kNoTemporary};
    const auto giveUp = [&](const QString &reason) {
        ::unlink(temporary.constData());
        ::close(fd);
        return Written{reason};
    };
    if (struct stat old{}; ::stat(path.constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        return giveUp(reasonOf(errno, QString()));

    // An overwrite save running on the old file ends before it is replaced:
    // its words go into a file that then still has the name, never into one
    // that just lost it.
    for (int round = 1;; ++round) {
        QFile old(QFile::decodeName(path));
        const Lock lock = lockUnderName(old, QIODevice::ReadOnly, pause);
        if (lock == Lock::Busy)
            return giveUp(kFileInUse);
        const bool absent = lock == Lock::Unopened && !QFileInfo::exists(old.fileName());
        if ((absent ? renameOntoNothing(temporary.constData(), path.constData())
                    : std::rename(temporary.constData(), path.constData()))
            == 0)
            break;
        if (!absent || errno != EEXIST || round >= kEggLockTries)
            return giveUp(reasonOf(errno, QString()));
    }
    ::close(fd);
    // The rename itself reaches the disk with its folder.
    if (const int where = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); where >= 0) {
        ::fsync(where);
        ::close(where);
    }
    if (mark)
        *mark = {fileName, bytes.size(), bytes.right(kMarkBytes)};
    return {};
}

#else

Written replace(const QString &fileName, const QByteArray &bytes, EggFileMark *mark, const EggLockPause &)
{
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {reasonOfLastError(out) + kNoTemporary};
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

#endif

const QString kWholeGameHint = QStringLiteral("「名前をつけて保存」なら、いまのゲームをまるごと書き出せます。");

QString tooLargeReason()
{
    return QStringLiteral("ファイルが大きすぎます（セーブファイルは%1MBまでです）。")
        .arg(kMaxEggFileBytes / (1024 * 1024));
}

// A save never writes what the game's own open would refuse.
QString tooLargeToSaveReason()
{
    return QStringLiteral("保存するとファイルが大きくなりすぎて、開けなくなります（セーブファイルは%1MBまでです）。")
        .arg(kMaxEggFileBytes / (1024 * 1024));
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
    const Lock lock = lockUnderName(file, mode, pause);
    if (lock == Lock::Unopened) {
        if (known && !QFileInfo::exists(fileName))
            return {QStringLiteral("ファイルがなくなっています。開いたか保存したあとで、"
                                   "消されたか名前を変えられたようです。")};
        return {reasonOfLastError(file)};
    }
    if (lock == Lock::Busy)
        return {kFileInUse};
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
    if (end + bytes.size() > kMaxEggFileBytes)
        return {tooLargeToSaveReason()};
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
    if (encoded.bytes.size() > kMaxEggFileBytes)
        return failure(what, fileName, tooLargeToSaveReason(), kFileKept);
    if (const QString obstacle = writeObstacle(fileName); !obstacle.isEmpty())
        return failure(what, fileName, obstacle, kFileKept);

    Written written;
    if (isSpecial(QFileInfo(fileName)))
        written.reason = writeInPlace(fileName, encoded.bytes, append);
    else if (append)
        written = appendInPlace(fileName, encoded.bytes, *adding, mark, pause);
    else
        written = replace(fileName, encoded.bytes, mark, pause);
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
            return refuse(
                QStringLiteral("フォルダー「%1」がありません。").arg(QDir::toNativeSeparators(folder.filePath())));
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
    result.lastRecordOpen = decoded.lastRecordOpen;
    return result;
}

QString saveEggFileAs(const QString &fileName, std::span<const WordRecord> loaded, std::span<const WordRecord> made,
                      EggFileMark *mark, const EggLockPause &pause)
{
    if (const qsizetype count = qsizetype(loaded.size() + made.size()); count > kMaxEggRecords) {
        return failure(kSaveAsFailed, fileName,
                       QStringLiteral("レコードが%1件あり、セーブファイルに入る%2件をこえています。")
                           .arg(count)
                           .arg(kMaxEggRecords),
                       kFileKept);
    }
    return writeEgg(kSaveAsFailed, fileName, encodeEgg(loaded, made), std::nullopt, mark, pause);
}

QString appendEggFile(const QString &fileName, std::span<const WordRecord> made, EggFileMark *mark,
                      const EggLockPause &pause)
{
    return writeEgg(kAppendFailed, fileName, encodeEgg(made), qsizetype(made.size()), mark, pause);
}
