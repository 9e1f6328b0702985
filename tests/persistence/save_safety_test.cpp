// Saves against the world outside the game: other processes writing the same
// file, folders the user may not write to, write limits, and texts that come
// from input methods or from files written by hand.

#include "persistence/egg_file.h"
#include "persistence/journal.h"
#include "persistence/storable_text.h"
#include "test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs `body` in a child process; its result is the child's exit code.
template <typename Body>
pid_t spawn(Body body)
{
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    return pid;
}

int exitCode(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A child's step that failed, with the message that says why.
int failed(int step, const QString &message)
{
    std::fprintf(stderr, "step %d: %s\n", step, qPrintable(message));
    return step;
}

class SaveSafetyTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file = dir.filePath(s("game.egg"));
};

} // namespace

// One game's overwrite save fails halfway and cuts the file back to the size
// it found, while a second game saves to the same file: the second one's
// records, reported saved, must still be there afterwards. The second save is
// let go exactly when the first holds the lock and has read that size; the
// first goes on once the second has ended or waits, and the second tries
// again once the first has ended.
TEST_F(SaveSafetyTest, ARollbackKeepsWhatAnotherGameSavedMeanwhile)
{
    put(file, "\"Ann\",\"9\",,,,\r\n");
    const std::vector<WordRecord> ours{word(s("みかん"))}, theirs{word(s("りんご")), word(s("いちご"))};
    int go[2], waiting[2], gone[2];
    ASSERT_EQ(pipe(go) | pipe(waiting) | pipe(gone), 0);

    const pid_t other = spawn([&] {
        for (const int end : {go[1], waiting[0], gone[1]})
            close(end);
        EggFileMark mark = loadEggFile(file).mark;
        char byte = 0;
        if (read(go[0], &byte, 1) != 1)
            return failed(1, s("never let go"));
        const QString error = appendEggFile(file, theirs, &mark, [&](int) {
            if (write(waiting[1], "w", 1) != 1)
                _exit(failed(2, s("cannot say it waits")));
            pollfd firstEnded{gone[0], POLLIN, 0};
            poll(&firstEnded, 1, -1);
        });
        return error.isEmpty() ? 0 : failed(3, error);
    });
    const pid_t failing = spawn([&] {
        for (const int end : {go[0], waiting[1], gone[0]})
            close(end);
        EggFileMark mark = loadEggFile(file).mark;
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(mark.size + 10), RLIM_INFINITY}; // room for part of the record
        setrlimit(RLIMIT_FSIZE, &limit);
        eggAppendLockedForTest = [&] {
            char byte = 0;
            if (write(go[1], "!", 1) != 1 || read(waiting[0], &byte, 1) < 0) // 0: the other game has ended
                _exit(failed(4, s("cannot let the other game go")));
        };
        const QString error = appendEggFile(file, ours, &mark);
        if (!error.contains(s("ファイルが大きくなりすぎて書けません。"))
            || !error.contains(s("ファイルは変更していません。")))
            return failed(5, error);
        return 0;
    });
    for (const int end : {go[0], go[1], waiting[0], waiting[1], gone[0], gone[1]})
        close(end);
    EXPECT_EQ(exitCode(failing), 0);
    EXPECT_EQ(exitCode(other), 0);
    EXPECT_EQ(bytesOf(file), "\"Ann\",\"9\",,,,\r\n" + encodeEgg(theirs).bytes);
}

// A save as and an overwrite save of one file take turns. A save as that
// comes while an overwrite save holds the file waits for it (here in vain:
// both are in one thread) with its own complete file hidden beside the
// target, named after it and locked; an overwrite save that waited while a
// save as replaced the file adds to the new file, not to the one that lost
// its name.
TEST_F(SaveSafetyTest, ASaveAsAndAnOverwriteSaveTakeTurns)
{
    const QByteArray before = "\"Ann\",\"9\",,,,\r\n";
    const std::vector<WordRecord> mine{word(s("みかん"))}, theirs{word(s("りんご"))};
    const auto listing = [&] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); };
    put(file, before);
    int pauses = 0;
    eggAppendLockedForTest = [&] {
        const QString error = saveEggFileAs(file, theirs, {}, nullptr, [&](int) {
            const QStringList names = listing();
            const bool hidden =
                names.size() == 2
                && names[0].contains(QRegularExpression(s("^\\.game\\.egg\\.nanairobako-[A-Za-z0-9]{6}$")));
            QFile temporary(dir.filePath(names.value(0)));
            pauses += hidden && temporary.open(QIODevice::ReadOnly)
                      && flock(temporary.handle(), LOCK_EX | LOCK_NB) != 0;
        });
        EXPECT_TRUE(error.contains(s("ほかのプログラムがこのファイルを使っています"))) << error.toStdString();
    };
    EXPECT_EQ(appendEggFile(file, mine), QString());
    eggAppendLockedForTest = nullptr;
    EXPECT_EQ(pauses, kEggLockTries - 1);
    EXPECT_LE((kEggLockTries - 1) * kEggLockPauseMs, 5000) << "a few seconds, then the save gives up";
    EXPECT_EQ(bytesOf(file), before + encodeEgg(mine).bytes);
    EXPECT_EQ(listing(), QStringList{s("game.egg")});

    QFile holder(file);
    ASSERT_TRUE(holder.open(QIODevice::ReadOnly) && flock(holder.handle(), LOCK_EX) == 0);
    bool replaced = false;
    EXPECT_EQ(appendEggFile(file, mine, nullptr,
                            [&](int) {
                                if (!std::exchange(replaced, true) && flock(holder.handle(), LOCK_UN) == 0) {
                                    EXPECT_EQ(saveEggFileAs(file, theirs, {}), QString());
                                }
                            }),
              QString());
    EXPECT_EQ(bytesOf(file), encodeEgg(theirs, mine).bytes);
}

// A file the user may write, in a folder they may not: the overwrite save
// adds to it in place, but a save as, which could only empty the file and
// rewrite it, is refused and leaves it whole. A folder on the way that may
// not be entered, or a file that may not be read, is named as the reason an
// open fails. Needs a process without root's rights, which ignore
// permissions; it must still reach the folder, which TMPDIR may not let it
// do, and /tmp does.
TEST_F(SaveSafetyTest, AFolderNotOursTakesAnOverwriteSaveButNoSaveAs)
{
    const QTemporaryDir reachable(s("/tmp/save-safety-XXXXXX"));
    const QString inPlace = reachable.filePath(s("game.egg")), shut = reachable.filePath(s("shut"));
    const QString locked = reachable.filePath(s("locked.egg"));
    put(inPlace, "\"a\",\"9\",,,,\r\n");
    put(locked, "\"a\",\"9\",,,,\r\n");
    const std::vector<WordRecord> two{word(s("みかん")), word(s("りんご"))};
    const QByteArray folder = QFile::encodeName(reachable.path());
    ASSERT_TRUE(QDir().mkdir(shut));
    put(shut + s("/a.egg"), "");
    ASSERT_EQ(chmod(QFile::encodeName(inPlace).constData(), 0666), 0);
    ASSERT_EQ(chmod(QFile::encodeName(shut).constData(), 0666), 0);
    ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0), 0);
    ASSERT_EQ(chmod(folder.constData(), 0555), 0);

    const int code = exitCode(spawn([&] {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            return failed(100, s("running as root, and dropping to uid/gid 65534 failed"));
        if (access(folder.constData(), W_OK) == 0)
            return failed(101, s("the folder stays writable: this process ignores its permissions"));
        EggFileMark mark = loadEggFile(inPlace).mark;
        if (const QString error = saveEggFileAs(inPlace, {}, two, &mark);
            !error.contains(s("このフォルダーには、置きかえに使う一時ファイルを作れません。"))
            || !error.contains(s("ファイルは変更していません。")))
            return failed(1, error);
        if (const QString error = appendEggFile(inPlace, two, &mark); !error.isEmpty())
            return failed(2, error);
        if (const QString error = loadEggFile(shut + s("/a.egg")).message;
            !error.contains(s("途中のフォルダーに入る許可がありません。")))
            return failed(3, error);
        if (const QString error = loadEggFile(locked).message;
            !error.contains(s("このファイルを読む許可がありません。")))
            return failed(4, error);
        return 0;
    }));
    chmod(folder.constData(), 0700);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(bytesOf(inPlace), "\"a\",\"9\",,,,\r\n" + encodeEgg(two).bytes);
    EXPECT_EQ(QDir(reachable.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{s("game.egg"), s("locked.egg")}));
}

// Started with its standard input closed, as some launchers leave it, the
// game gets descriptor 0 for the first file it opens: that one serves as
// well as any other.
TEST_F(SaveSafetyTest, DescriptorZeroServesLikeAnyOther)
{
    const int input = dup(0);
    close(0);
    EXPECT_EQ(saveEggFileAs(file, {}, std::vector{word(s("a"))}), QString());
    EXPECT_EQ(Journal(dir.filePath(s("state"))).begin({}, {}), QString());
    EXPECT_EQ(fcntl(0, F_GETFD), -1) << "and is let go";
    dup2(input, 0);
    close(input);
}

// Linux input methods type these under the JIS code points; each becomes the
// code page 932 character that looks the same, and is then written and read
// back as that one. Characters with no such twin stay refused.
TEST(EnteredText, JisCharactersBecomeTheirCodePage932Twins)
{
    const std::pair<char16_t, char16_t> twins[] = {
        {u'\u301C', u'\uFF5E'}, {u'\u2212', u'\uFF0D'}, {u'\u2016', u'\u2225'}, {u'\u00A2', u'\uFFE0'},
        {u'\u00A3', u'\uFFE1'}, {u'\u00AC', u'\uFFE2'}, {u'\u2014', u'\u2015'}, {u'\u00A5', u'\uFFE5'},
    };
    for (const auto &[jis, cp932] : twins) { // storable: written and read back unchanged
        EXPECT_EQ(withCp932Twins(s("よろしく") + QChar(jis)), s("よろしく") + QChar(cp932));
        EXPECT_TRUE(isStorableText(QString(QChar(cp932)))) << int(cp932);
    }
    for (const char *odd : {"😀", "𠮷野家", "안녕", "say \"hi\"", "a\tb", "two\nlines", "a\x7f", "\uF86F"})
        EXPECT_FALSE(isStorableText(withCp932Twins(s(odd)))) << odd;
    // A comma stays inside the quotes; half- and full-width forms are in code page 932.
    for (const char *text : {"ｱｲｳ ABC　１２３、。", "", "a,b"})
        EXPECT_TRUE(isStorableText(s(text))) << text;
}

// A file of up to 32 MiB is read; one byte more is refused before reading.
TEST_F(SaveSafetyTest, SizeLimit)
{
    constexpr qint64 kLimit = 32 * 1024 * 1024;
    for (const qint64 size : {kLimit, kLimit + 1}) {
        QFile big(file);
        ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(size)); // sparse: nothing written
        big.close();
        EXPECT_EQ(loadEggFile(file).message.contains(s("ファイルが大きすぎます（セーブファイルは32MBまでです）。")),
                  size > kLimit)
            << size;
    }
}
