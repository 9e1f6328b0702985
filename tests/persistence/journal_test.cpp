// The recovery journal on disk: private, held while its game runs, read back
// as far as it was finished, never through a link.

#include "persistence/egg_codec.h"
#include "persistence/journal.h"
#include "test_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::vector<WordRecord> kWords{word(s("みかん")), word(s("りんご"))};

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

class JournalTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.filePath(s("state/nanairobako"));
};

} // namespace

// A new beginning, throwing away, trimming and taking back show in the
// transcripts (recovery.game); here what they cannot see.
TEST_F(JournalTest, PrivateAndHeldWhileItsGameRunsThenLeftForTheNextStart)
{
    const JournalHeader header{s("/home/a b/ゲーム.egg"), 7, 0};
    {
        Journal journal(folder);
        ASSERT_EQ(journal.begin(header, std::span(kWords).first(1)), QString());
        ASSERT_EQ(journal.append(std::span(kWords).last(1)), QString());
        EXPECT_EQ(modeOf(dir.filePath(s("state"))), 0700u);
        EXPECT_EQ(modeOf(folder), 0700u);
        EXPECT_EQ(modeOf(journal.path()), 0600u);
        EXPECT_EQ(bytesOf(journal.path()),
                  "\"journal\",\"1\",\"file:///home/a%20b/%E3%82%B2%E3%83%BC%E3%83%A0.egg\",\"7\",\"0\",\r\n"
                      + encodeEgg(kWords).bytes);
        EXPECT_TRUE(leftJournals(folder).empty()) << "a running game's journal is its own";
    }
    std::vector<LeftJournal> left = leftJournals(folder);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].error, QString());
    EXPECT_EQ(left[0].header, header);
    EXPECT_EQ(left[0].records, kWords);
    EXPECT_TRUE(leftJournals(folder).empty()) << "another starting copy must not offer it too";
    ASSERT_TRUE(QDir().rename(folder, folder + s(".moved")));
    EXPECT_FALSE(discardJournal(left[0]) || QFileInfo::exists(folder)) << "a folder moved away is not made again";
}

// journals.txt: each "< " line spells a journal's bytes; the lines after it,
// the records read back and why the rest is not, are written afresh and the
// whole compared.
TEST_F(JournalTest, ReadsWhatAKillLeftAndKeepsWhatItCannotRead)
{
    const QString data = s(NANAIRO_TEST_DATA "/journals.txt"), path = folder + s("/1-1-1.journal");
    ASSERT_TRUE(QDir().mkpath(folder));
    QStringList out;
    for (const QString &line : QString::fromUtf8(bytesOf(data)).split(u'\n')) {
        if (!line.startsWith(u"= ") && !line.startsWith(u"! "))
            out << line;
        if (!line.startsWith(u'<'))
            continue;
        put(path, unescaped(line.mid(2)));
        const std::vector<LeftJournal> left = leftJournals(folder);
        ASSERT_EQ(left.size(), 1u);
        for (const WordRecord &record : left[0].records)
            out << s("= ") + escaped(QString::fromStdString(testing::PrintToString(record)));
        if (!left[0].error.isEmpty())
            out << s("! ") + escaped(left[0].error);
        EXPECT_EQ(bytesOf(path), unescaped(line.mid(2))) << "reading never changes a journal";
    }
    expectGoldenText(data, out.join(u'\n'));
}

TEST_F(JournalTest, NeverThroughALinkNorOutsideItsFolder)
{
    const QString elsewhere = dir.filePath(s("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0301), 0);
    Journal elsewhereJournal(elsewhere);
    ASSERT_EQ(elsewhereJournal.begin({}, kWords), QString());
    const QString target = elsewhereJournal.path();
    elsewhereJournal = Journal(elsewhere); // its game is gone

    // A journal's name that is a link, and a link in place of the folder.
    ASSERT_TRUE(QFile::link(target, folder + s("/1-1-1.journal")));
    const QString linkedFolder = dir.filePath(s("linked"));
    ASSERT_TRUE(QFile::link(elsewhere, linkedFolder));
    EXPECT_TRUE(leftJournals(folder).empty());
    EXPECT_TRUE(leftJournals(linkedFolder).empty());
    EXPECT_TRUE(leftJournals(dir.filePath(s("none"))).empty() && !QFileInfo::exists(dir.filePath(s("none"))));
    Journal throughLink(linkedFolder);
    EXPECT_TRUE(throughLink.begin({}, kWords).contains(s("シンボリックリンク")));
    EXPECT_EQ(entries(elsewhere), QStringList{QFileInfo(target).fileName()});

    // A journal its game never finished is no journal, unless that game is
    // still writing it; a file of another kind, or a pipe under its name, is
    // none either.
    put(folder + s("/notes.txt"), "\"journal\"");
    ASSERT_EQ(mkfifo(QFile::encodeName(folder + s("/4-1-1.journal")).constData(), 0600), 0);
    put(folder + s("/.2-1-1.journal.new"), "\"journal\"");
    put(folder + s("/.3-1-1.journal.new"), "\"journal\"");
    QFile writing(folder + s("/.3-1-1.journal.new"));
    ASSERT_TRUE(writing.open(QIODevice::ReadOnly));
    ASSERT_EQ(flock(writing.handle(), LOCK_EX), 0);
    EXPECT_TRUE(leftJournals(folder).empty());
    EXPECT_EQ(entries(folder),
              (QStringList{s(".3-1-1.journal.new"), s("1-1-1.journal"), s("4-1-1.journal"), s("notes.txt")}));

    Journal own(folder);
    ASSERT_EQ(own.begin({}, kWords), QString());
    EXPECT_EQ(modeOf(folder), 0700u) << "the folder is made private again";
    EXPECT_EQ(bytesOf(target).size(), bytesOf(own.path()).size()) << "the linked journal is untouched";
    own.remove();
    EXPECT_EQ(std::pair(own.isOpen(), own.path()), std::pair(false, QString())) << "nothing is left open";
    // Nor in a folder another user owns, who could read or replace it there
    // (only root can hand the folder over, so only root checks it).
    if (chown(QFile::encodeName(folder).constData(), geteuid() + 1, getegid()) == 0) {
        EXPECT_EQ(Journal(folder).begin({}, kWords), s("フォルダーがほかのユーザーのものです。"));
    }
}

// Where the player's state lives, or else under the home folder.
TEST(JournalFolder, InThePlayersStateFolder)
{
    const QByteArray before = qgetenv("XDG_STATE_HOME"); // empty, as when unset, reads as unset
    qputenv("XDG_STATE_HOME", "/var/state");
    EXPECT_EQ(defaultJournalFolder(), s("/var/state/nanairobako"));
    qputenv("XDG_STATE_HOME", "relative/state"); // to be ignored
    EXPECT_EQ(defaultJournalFolder(), QDir::homePath() + s("/.local/state/nanairobako"));
    qputenv("XDG_STATE_HOME", before);
}
