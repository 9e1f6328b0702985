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

class EggFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    static void expectMessage(const QString &message, const char *what, const QString &fileName,
                              const char *why)
    {
        EXPECT_TRUE(message.startsWith(s(what))) << message.toStdString();
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(fileName))) << message.toStdString();
        EXPECT_TRUE(message.contains(s(why))) << message.toStdString();
    }
    // The records the file opens with; none when it does not open.
    static std::vector<WordRecord> opened(const QString &fileName)
    {
        const EggLoad load = loadEggFile(fileName);
        EXPECT_TRUE(load.content) << load.message.toStdString();
        return load.content ? load.content->records : std::vector<WordRecord>{};
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
    EXPECT_EQ(joinFolderAndName(QDir::rootPath(), s("a.egg")), QDir::toNativeSeparators(QDir::rootPath()) + s("a.egg"));
    EXPECT_EQ(joinFolderAndName(s("/tmp/games"), s("a.egg")), QDir::toNativeSeparators(s("/tmp/games/a.egg")));
    EXPECT_EQ(joinFolderAndName(s("/tmp/games/"), s("a.egg")), QDir::toNativeSeparators(s("/tmp/games/a.egg")));
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

    // Neither a last line without its line end nor an empty last line may
    // swallow or hide the next record.
    for (const QByteArray &old : {QByteArray("\"a\",\"1\",,,,"), QByteArray("\"a\",\"1\",,,,\r\n\r\n")}) {
        put(file, old);
        ASSERT_EQ(appendEggFile(file, std::vector<WordRecord>{word("b")}), QString());
        EXPECT_EQ(opened(file).size(), 2u);
    }
}

// Every fault says what failed, for which file and why, and leaves the game
// in hand and every file as it was.
TEST_F(EggFileTest, OpensAndSavesRefuseAndLeaveEverythingAsItWas)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(s("folder.egg")));
    put(path("folder.egg/inside.egg"), "keep");
    const QString old = path("old.egg");
    put(old, "\"a\",\"9\",,,,\r\n");
    put(path("truncated.egg"), "\"a\",\"9\",,,,\r\n\"b\",\"1\"\r\n");
    put(path("sjis.egg"), "\"a\",\"9\",,,,\r\n\"\x82\",\"1\",,,,\r\n");
    put(path("many.egg"), QByteArray("\"w\",\"1\",\"1\",\"1\",\"1\",\"2\"\r\n").repeated(kMaxEggRecords + 1));

    const std::pair<QString, const char *> opens[] = {
        {path("missing.egg"), "ファイルがありません"},
        {path("no/such/folder/a.egg"), "フォルダー「"},
        {path("folder.egg"), "フォルダーです"},
        {s("/dev/full"), "ふつうのファイルではありません"},
        {path("truncated.egg"), "2行目のレコードが途中で終わって"},
        {path("sjis.egg"), "2行目に、シフトJIS"},
        {path("many.egg"), "10001件目が10001行目"},
    };
    for (const auto &[file, why] : opens) {
        const EggLoad load = loadEggFile(file);
        EXPECT_FALSE(load.content);
        expectMessage(load.message, "ファイルを開けませんでした。", file, why);
        EXPECT_TRUE(load.message.contains(s("いまのゲームはそのままです。")));
    }

    const std::vector<WordRecord> unwritable{{s("x😀"), s("1"), {}, {}, {}, {}}},
        quoted{{s("ok"), s("1"), s("3"), s("1"), s("1"), s("\"hi\", she said")}};
    const std::tuple<QString, std::span<const WordRecord>, const char *> saves[] = {
        {path("folder.egg"), kTwoWords, "フォルダーがあります"},
        {path("nowhere/a.egg"), kTwoWords, "フォルダー「"},
        {s("/dev/full"), kTwoWords, "ディスクがいっぱいです"},
        {old, unwritable, "😀"},
        {old, quoted, "1件目のレコード「ok」"},
    };
    for (const auto &[file, records, why] : saves) {
        expectMessage(saveEggFileAs(file, {}, records), "名前を付けて保存できませんでした。", file, why);
        expectMessage(appendEggFile(file, records), "上書き保存できませんでした。", file, why);
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
    const rlimit limited{rlim_t(before.size() + 100), saved.rlim_max};
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

// Save-as replaces whatever the file held, and leaves nothing else behind.
TEST_F(EggFileTest, SaveAsReplacesTheWholeFile)
{
    const QString file = path("life.egg");
    put(file, QByteArray(5000, 'x'));
    ASSERT_EQ(saveEggFileAs(file, std::vector<WordRecord>{word("いぬ")}, kTwoWords), QString());
    EXPECT_EQ(bytesOf(file), encodeEgg(std::vector<WordRecord>{word("いぬ")}, kTwoWords).bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{s("life.egg")}) << "no temporary file left";
}
