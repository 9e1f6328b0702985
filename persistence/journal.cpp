#include "persistence/journal.h"

#include "persistence/egg_codec.h"
#include "persistence/file_errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QUrl>

#include <algorithm>
#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kHeaderText = QStringLiteral("journal");
const QString kFormat = QStringLiteral("1");
const QString kSuffix = QStringLiteral(".journal");
// A journal is written under this hidden name and takes its own name only
// once complete, so that no other copy ever finds one half-made.
const QString kUnfinishedSuffix = QStringLiteral(".journal.new");
// Far more than a game's unsaved records ever take.
constexpr qint64 kMaxJournalBytes = 32 * 1024 * 1024;

QByteArray nameBytes(const QString &name) { return QFile::encodeName(name); }

// Every missing folder on the way is made private to the player, as the
// desktop's own state folders are.
void makeFolders(const QString &folder)
{
    const QStringList parts = QDir::cleanPath(folder).split(u'/', Qt::SkipEmptyParts);
    QString path;
    for (const QString &part : parts) {
        path += u'/' + part;
        ::mkdir(nameBytes(path).constData(), 0700);
    }
}

// The folder itself, never through a link; false with the reason when it
// cannot be used.
FileHandle openFolder(const QString &folder, bool create, QString *why)
{
    if (create)
        makeFolders(folder);
    FileHandle dir(::open(nameBytes(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!dir) {
        const int error = errno;
        struct stat link {};
        const bool isLink = ::lstat(nameBytes(folder).constData(), &link) == 0 && S_ISLNK(link.st_mode);
        if (why)
            *why = isLink ? QStringLiteral("フォルダーがシンボリックリンクなので使いません。")
                          : reasonOf(error, QString());
        return {};
    }
    struct stat status {};
    if (::fstat(dir.fd(), &status) != 0 || status.st_uid != ::geteuid()) {
        if (why)
            *why = QStringLiteral("フォルダーがほかのユーザーのものです。");
        return {};
    }
    if ((status.st_mode & 0077) != 0)
        ::fchmod(dir.fd(), 0700);
    return dir;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool sameFile(int dir, const QString &name, int fd)
{
    struct stat byName {};
    struct stat byHandle {};
    return ::fstatat(dir, nameBytes(name).constData(), &byName, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &byHandle) == 0
           && byName.st_dev == byHandle.st_dev && byName.st_ino == byHandle.st_ino;
}

WordRecord headerRecord(const JournalHeader &header)
{
    // A URL spells any path in plain ASCII, which the save file's code page holds.
    const QString file =
        header.fileName.isEmpty() ? QString() : QString::fromLatin1(QUrl::fromLocalFile(header.fileName).toEncoded());
    return {kHeaderText, kFormat, file, QString::number(header.held), QString::number(header.quiet), {}};
}

// Reads a left journal's bytes into it, or says why they are none.
void readJournal(LeftJournal &left, QByteArrayView bytes)
{
    // Each record goes to the disk with its line end in one write: a last
    // line without one was cut short and is no record.
    const qsizetype complete = bytes.lastIndexOf('\n') + 1;
    const EggDecoded decoded = decodeEgg(bytes.first(complete));
    if (!decoded.ok()) {
        left.error = decoded.error;
        return;
    }
    const std::vector<WordRecord> &records = decoded.content.records;
    bool heldOk = false, quietOk = false;
    const WordRecord first = records.empty() ? WordRecord{} : records.front();
    const qint64 held = textOf(first.Like).toLongLong(&heldOk);
    const int quiet = textOf(first.Useful).toInt(&quietOk);
    if (first.Text != kHeaderText || first.Kind != kFormat || !heldOk || !quietOk || held < 0 || quiet < 0) {
        left.error = QStringLiteral("このゲームの記録の形をしていません。");
        return;
    }
    const QString url = textOf(first.SubKind);
    left.header = {url.isEmpty() ? QString() : QUrl::fromEncoded(url.toLatin1()).toLocalFile(), held, quiet};
    left.records.assign(records.begin() + 1, records.end());
}

QByteArray readAll(int fd, bool *tooLarge)
{
    QByteArray bytes;
    char buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return bytes;
        bytes.append(buffer, n);
        if (bytes.size() > kMaxJournalBytes) {
            *tooLarge = true;
            return bytes;
        }
    }
}

} // namespace

FileHandle &FileHandle::operator=(FileHandle &&other) noexcept
{
    if (this != &other) {
        reset();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void FileHandle::reset()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

QString defaultJournalFolder()
{
    // A relative XDG_STATE_HOME is invalid and to be ignored.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/nanairobako");
}

QString Journal::path() const { return name_.isEmpty() ? QString() : folder_ + u'/' + name_; }

QString Journal::begin(const JournalHeader &header, std::span<const WordRecord> records)
{
    QString why;
    const FileHandle dir = openFolder(folder_, true, &why);
    if (!dir)
        return why;
    const WordRecord first = headerRecord(header);
    const EggEncoded encoded = encodeEgg({&first, 1}, records);
    if (!encoded.ok())
        return encoded.error;

    // Named by the time it began and then a count, so that names sort
    // oldest first, and by the process, so that two copies never meet on one.
    static int count = 0;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = QStringLiteral("%1-%2-%3")
                                 .arg(now, 15, 10, QLatin1Char('0'))
                                 .arg(++count, 6, 10, QLatin1Char('0'))
                                 .arg(::getpid())
                             + kSuffix;
        const QString unfinished = u'.' + name.chopped(kSuffix.size()) + kUnfinishedSuffix;
        FileHandle file(::openat(dir.fd(), nameBytes(unfinished).constData(),
                                 O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_APPEND, 0600));
        if (!file && errno == EEXIST)
            continue;
        if (!file)
            return reasonOf(errno, QString());
        // linkat, unlike rename, never replaces a journal of the same name.
        const bool written =
            ::flock(file.fd(), LOCK_EX | LOCK_NB) == 0 && writeAll(file.fd(), encoded.bytes)
            && ::fdatasync(file.fd()) == 0
            && ::linkat(dir.fd(), nameBytes(unfinished).constData(), dir.fd(), nameBytes(name).constData(), 0) == 0;
        const int error = errno;
        ::unlinkat(dir.fd(), nameBytes(unfinished).constData(), 0);
        if (!written) {
            if (error == EEXIST)
                continue;
            return reasonOf(error, QString());
        }
        // The new name itself must survive a power cut.
        ::fsync(dir.fd());
        if (file_)
            ::unlinkat(dir.fd(), nameBytes(name_).constData(), 0);
        file_ = std::move(file);
        name_ = name;
        header_ = header;
        return {};
    }
    return reasonOf(EEXIST, QString());
}

QString Journal::append(std::span<const WordRecord> records)
{
    const EggEncoded encoded = encodeEgg(records);
    if (!encoded.ok())
        return encoded.error;
    if (!writeAll(file_.fd(), encoded.bytes) || ::fdatasync(file_.fd()) != 0)
        return reasonOf(errno, QString());
    return {};
}

void Journal::remove()
{
    if (!file_)
        return;
    if (const FileHandle dir = openFolder(folder_, false, nullptr); dir && sameFile(dir.fd(), name_, file_.fd()))
        ::unlinkat(dir.fd(), nameBytes(name_).constData(), 0);
    // Closing lets the lock go only after the name is gone: no starting copy
    // can take the journal for a left one.
    file_.reset();
    name_.clear();
}

QString LeftJournal::path() const { return folder + u'/' + name; }

std::vector<LeftJournal> leftJournals(const QString &folder)
{
    std::vector<LeftJournal> found;
    const FileHandle dir = openFolder(folder, false, nullptr);
    if (!dir)
        return found;
    QStringList names;
    if (DIR *listing = ::fdopendir(::dup(dir.fd()))) {
        while (const dirent *entry = ::readdir(listing))
            names << QFile::decodeName(entry->d_name);
        ::closedir(listing);
    }
    names.sort();
    for (const QString &name : std::as_const(names)) {
        const bool unfinished = name.startsWith(u'.') && name.endsWith(kUnfinishedSuffix);
        if (!unfinished && (name.startsWith(u'.') || !name.endsWith(kSuffix)))
            continue;
        // O_NONBLOCK: a pipe under a journal's name must not hang the start.
        FileHandle file(
            ::openat(dir.fd(), nameBytes(name).constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_APPEND));
        struct stat status {};
        // A journal a running game holds is that game's alone; one whose name
        // now leads elsewhere was just removed or replaced.
        if (!file || ::fstat(file.fd(), &status) != 0 || !S_ISREG(status.st_mode)
            || ::flock(file.fd(), LOCK_EX | LOCK_NB) != 0 || !sameFile(dir.fd(), name, file.fd()))
            continue;
        if (unfinished) {
            ::unlinkat(dir.fd(), nameBytes(name).constData(), 0);
            continue;
        }
        LeftJournal left{folder, name, {}, {}, {}, std::move(file)};
        bool tooLarge = false;
        const QByteArray bytes = readAll(left.lock.fd(), &tooLarge);
        if (tooLarge)
            left.error = QStringLiteral("記録が大きすぎます。");
        else
            readJournal(left, bytes);
        found.push_back(std::move(left));
    }
    return found;
}

bool discardJournal(LeftJournal &left)
{
    const FileHandle dir = openFolder(left.folder, false, nullptr);
    const bool removed = dir && left.lock && sameFile(dir.fd(), left.name, left.lock.fd())
                         && ::unlinkat(dir.fd(), nameBytes(left.name).constData(), 0) == 0;
    left.lock.reset();
    return removed;
}
