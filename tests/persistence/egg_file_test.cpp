#include "egg_test_files.h"
#include "persistence/egg_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

WordRecord word(const char *text, const char *useful = "1", const char *vulgar = "2")
{
    return {s(text), s("1"), s("3"), s("1"), s(useful), s(vulgar)};
}

WordRecord dated(QDate date, const QString &kind) { return {dateText(date), kind, {}, {}, {}, {}}; }

class EggFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Every failure says what failed, for which file, and why.
    static void expectMessage(const QString &message, const char *what, const QString &fileName,
                              const char *why)
    {
        EXPECT_TRUE(message.startsWith(s(what))) << message.toStdString();
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(fileName))) << message.toStdString();
        EXPECT_TRUE(message.contains(s(why))) << message.toStdString();
    }
};

const std::vector<WordRecord> kTwoWords{word("みかん"), word("うんこ", "2", "1")};

} // namespace

TEST(EggNames, ExtensionRule)
{
    const std::pair<const char *, const char *> cases[] = {
        {"memo", "memo.egg"},       {"MEMO.EGG", "MEMO.EGG"}, {"memo.egg", "memo.egg"},
        {"memo.Egg", "memo.Egg.egg"}, {"", ".egg"},           {"egg", "egg.egg"},
        {"/a/b.eGG", "/a/b.eGG.egg"},
    };
    for (const auto &[name, expected] : cases)
        EXPECT_EQ(withEggExtension(s(name)), s(expected)) << name;
}

TEST(EggNames, OneSeparatorBetweenFolderAndName)
{
    const QString sep = QDir::separator();
    const QString root = QDir::toNativeSeparators(QDir::rootPath());
    EXPECT_EQ(joinFolderAndName(QDir::rootPath(), s("a.egg")), root + s("a.egg"));
    EXPECT_EQ(joinFolderAndName(s("/tmp/games"), s("a.egg")), QDir::toNativeSeparators(s("/tmp/games")) + sep + s("a.egg"));
    EXPECT_EQ(joinFolderAndName(s("/tmp/games/"), s("a.egg")), QDir::toNativeSeparators(s("/tmp/games/a.egg")));
    EXPECT_EQ(joinFolderAndName(s("/tmp"), s(" x ")), QDir::toNativeSeparators(s("/tmp/ x "))) << "taken unchanged";
}

TEST_F(EggFileTest, SaveAsReplacesTheWholeFileAndOpensBackEqual)
{
    const QString file = path("game.egg");
    put(file, QByteArray(5000, 'x'));
    const std::vector<WordRecord> loaded{word("いぬ")};
    ASSERT_EQ(saveEggFileAs(file, loaded, kTwoWords), QString());
    const EggLoad back = loadEggFile(file);
    ASSERT_TRUE(back.content) << back.message.toStdString();
    EXPECT_EQ(back.content->records, (std::vector<WordRecord>{word("いぬ"), word("みかん"), word("うんこ", "2", "1")}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{s("game.egg")}) << "no temporary file left";
}

TEST_F(EggFileTest, AppendAddsOnlyAtTheEnd)
{
    const QString file = path("a.egg");
    ASSERT_EQ(appendEggFile(file, {}), QString()) << "a missing file is created";
    EXPECT_TRUE(QFileInfo(file).isFile());
    ASSERT_EQ(appendEggFile(file, kTwoWords), QString());
    const QByteArray two = bytesOf(file);
    ASSERT_EQ(appendEggFile(file, {}), QString());
    EXPECT_EQ(bytesOf(file), two) << "nothing new leaves the file as it was";

    // A last line without its line end must not swallow the next record.
    put(file, "\"a\",\"1\",,,,");
    ASSERT_EQ(appendEggFile(file, std::vector<WordRecord>{word("b")}), QString());
    const EggLoad back = loadEggFile(file);
    ASSERT_TRUE(back.content) << back.message.toStdString();
    EXPECT_EQ(back.content->records.size(), 2u);
}

TEST_F(EggFileTest, OpenRefusesWhatIsNoSaveFile)
{
    QByteArray tooMany;
    for (int k = 0; k <= kMaxEggRecords; ++k)
        tooMany += "\"w\",\"1\",\"1\",\"1\",\"1\",\"2\"\r\n";
    ASSERT_TRUE(QDir(dir.path()).mkdir(s("folder.egg")));
    put(path("truncated.egg"), "\"a\",\"9\",,,,\r\n\"b\",\"1\"\r\n");
    put(path("sjis.egg"), "\"a\",\"9\",,,,\r\n\"\x82\",\"1\",,,,\r\n");
    put(path("many.egg"), tooMany);

    struct Case {
        QString file;
        const char *why;
    };
    const Case cases[] = {
        {path("missing.egg"), "ファイルがありません"},
        {path("no/such/folder/a.egg"), "フォルダー「"},
        {path("folder.egg"), "フォルダーです"},
        {s("/dev/full"), "ふつうのファイルではありません"},
        {path("truncated.egg"), "2行目のレコードが途中で終わって"},
        {path("sjis.egg"), "2行目に、シフトJIS"},
        {path("many.egg"), "10001件目が10001行目"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const EggLoad load = loadEggFile(c.file);
        EXPECT_FALSE(load.content);
        expectMessage(load.message, "ファイルを開けませんでした。", c.file, c.why);
        EXPECT_TRUE(load.message.contains(s("いまのゲームはそのままです。")));
    }
}

TEST_F(EggFileTest, SavesRefuseAndLeaveEverythingAsItWas)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(s("folder.egg")));
    put(path("folder.egg/inside.egg"), "keep");
    const QString old = path("old.egg");
    put(old, "\"a\",\"9\",,,,\r\n");
    const std::vector<WordRecord> unwritable{{s("x😀"), s("1"), {}, {}, {}, {}}};

    struct Case {
        const char *what;
        QString file;
        std::span<const WordRecord> records;
        const char *why;
    };
    const Case cases[] = {
        {"folder as file name", path("folder.egg"), kTwoWords, "フォルダーがあります"},
        {"missing folder", path("nowhere/a.egg"), kTwoWords, "フォルダー「"},
        {"full disk", s("/dev/full"), kTwoWords, "ディスクがいっぱいです"},
        {"text without CP932 code", old, unwritable, "😀"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        expectMessage(saveEggFileAs(c.file, {}, c.records), "名前を付けて保存できませんでした。", c.file, c.why);
        expectMessage(appendEggFile(c.file, c.records), "上書き保存できませんでした。", c.file, c.why);
    }
    EXPECT_EQ(bytesOf(path("folder.egg/inside.egg")), "keep");
    EXPECT_FALSE(QFileInfo::exists(path("nowhere")));
    EXPECT_FALSE(QFileInfo(s("/dev/full")).isFile()) << "the device is written, never replaced";
    EXPECT_EQ(bytesOf(old), "\"a\",\"9\",,,,\r\n");
}

// A write that stops halfway (here: a file size limit, as a full disk would)
// leaves the old file byte for byte, for both saves.
TEST_F(EggFileTest, AWriteFailingHalfwayLeavesTheOldFile)
{
    const QString file = path("game.egg");
    const QByteArray before = QByteArray("\"a\",\"9\",,,,\r\n").repeated(200);
    put(file, before);
    std::vector<WordRecord> many(400, word("ながいことばです"));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto *previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = before.size() + 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const QString append = appendEggFile(file, many);
    const QString saveAs = saveEggFileAs(file, {}, many);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    expectMessage(append, "上書き保存できませんでした。", file, "大きくなりすぎ");
    expectMessage(saveAs, "名前を付けて保存できませんでした。", file, "大きくなりすぎ");
    EXPECT_EQ(bytesOf(file), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{s("game.egg")});
}

// The whole life of a save file: a first period saved as, opened next day and
// extended by one word, opened after its end when the period starts again.
TEST_F(EggFileTest, LifeCycle)
{
    const QString file = path("life.egg");
    const QDate start(2026, 12, 6);
    std::vector<WordRecord> run{dated(start, Code::StartDate), dated(periodEnd(start), Code::EndDate),
                                {s("たろう"), Code::Name, {}, {}, {}, {}}};
    run.insert(run.end(), kTwoWords.begin(), kTwoWords.end());
    ASSERT_EQ(saveEggFileAs(file, {}, run), QString());
    EXPECT_EQ(lineCount(file), 5);

    EggLoad next = loadEggFile(file);
    ASSERT_TRUE(next.content);
    EXPECT_EQ(next.content->records, run);
    ASSERT_EQ(appendEggFile(file, std::vector<WordRecord>{word("りんご")}), QString());
    EXPECT_EQ(lineCount(file), 6);

    const QDate restart = periodEnd(start).addDays(3);
    const std::vector<WordRecord> period{dated(restart, Code::StartDate),
                                         dated(periodEnd(restart), Code::EndDate)};
    ASSERT_EQ(appendEggFile(file, period), QString());
    const QByteArray bytes = bytesOf(file);
    EXPECT_TRUE(bytes.endsWith("\"" + dateText(restart).toLatin1() + "\",\"8\",,,,\r\n\""
                               + dateText(periodEnd(restart)).toLatin1() + "\",\"7\",,,,\r\n"));
    const EggLoad later = loadEggFile(file);
    ASSERT_TRUE(later.content);
    EXPECT_EQ(later.content->records.size(), 8u);
    EXPECT_EQ(later.content->startDate, dateText(restart)) << "the later date records win";
    EXPECT_EQ(later.content->endDate, dateText(periodEnd(restart)));
    EXPECT_EQ(later.content->yourName, s("たろう"));
}
