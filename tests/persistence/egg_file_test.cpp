#include "egg_test_files.h"
#include "persistence/egg_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace {

WordRecord word(const char *text) { return {s(text), s("1"), s("3"), s("1"), s("1"), s("2")}; }
const std::vector<WordRecord> kTwoWords{word("みかん"), word("うんこ")};

// Every fault says what failed, for which file and why.
void expectMessage(const QString &message, const char *what, const QString &fileName, const char *why)
{
    EXPECT_TRUE(message.startsWith(s(what)) && message.contains(QDir::toNativeSeparators(fileName)) &&
                message.contains(s(why)))
        << message.toStdString();
}

class EggFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString path(const char *name) const { return dir.filePath(s(name)); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

} // namespace

TEST(EggNames, ExtensionAndSeparator)
{
    const std::pair<const char *, const char *> cases[] = {
        {"memo", "memo.egg"},       {"MEMO.EGG", "MEMO.EGG"}, {"memo.egg", "memo.egg"},
        {"memo.Egg", "memo.Egg.egg"}, {"", ".egg"},           {"egg", "egg.egg"},
        {"/a/b.eGG", "/a/b.eGG.egg"},
    };
    for (const auto &[name, expected] : cases)
        EXPECT_EQ(withEggExtension(s(name)), s(expected)) << name;
    EXPECT_EQ(joinFolderAndName(QDir::rootPath(), s("a.egg")), QDir::toNativeSeparators(QDir::rootPath()) + s("a.egg"));
    for (const char *folder : {"/tmp/games", "/tmp/games/"})
        EXPECT_EQ(joinFolderAndName(s(folder), s("a.egg")), QDir::toNativeSeparators(s("/tmp/games/a.egg")));
}

// Save-as replaces whatever the file held and leaves nothing else behind;
// an append adds at the end only.
TEST_F(EggFileTest, SaveAsReplacesAndAppendAddsAtTheEnd)
{
    const QString file = path("life.egg");
    put(file, QByteArray(5000, 'x'));
    const std::vector<WordRecord> dog{word("いぬ")};
    ASSERT_EQ(saveEggFileAs(file, dog, kTwoWords), QString());
    EXPECT_EQ(bytesOf(file), encodeEgg(dog, kTwoWords).bytes);
    EXPECT_EQ(files(), QStringList{s("life.egg")}) << "no temporary file left";
    ASSERT_EQ(appendEggFile(file, {}), QString());
    EXPECT_EQ(bytesOf(file), encodeEgg(dog, kTwoWords).bytes) << "nothing new leaves the file as it was";

    QFile::remove(file);
    ASSERT_EQ(appendEggFile(file, kTwoWords), QString()) << "a missing file is created";
    EXPECT_EQ(bytesOf(file), encodeEgg(kTwoWords).bytes);
    // An empty last line may not hide the next record.
    put(file, "\"a\",\"1\",,,,\r\n\r\n");
    ASSERT_EQ(appendEggFile(file, dog), QString());
    const EggLoad load = loadEggFile(file);
    ASSERT_TRUE(load.content) << load.message.toStdString();
    EXPECT_EQ(load.content->records.size(), 2u);
}

// A refused open or save leaves the game in hand and every file as it was.
TEST_F(EggFileTest, OpensAndSavesRefuseAndLeaveEverythingAsItWas)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(s("folder.egg")));
    put(path("folder.egg/inside.egg"), "keep");
    const QString old = path("old.egg");
    put(old, "\"a\",\"9\",,,,\r\n");
    put(path("truncated.egg"), "\"a\",\"9\",,,,\r\n\"b\",\"1\"\r\n");

    const std::pair<QString, const char *> opens[] = {
        {path("missing.egg"), "ファイルがありません"},        {path("no/such/folder/a.egg"), "フォルダー「"},
        {path("folder.egg"), "フォルダーです"},              {s("/dev/full"), "ふつうのファイルではありません"},
        {path("truncated.egg"), "2行目のレコードが途中で終わって"},
    };
    for (const auto &[file, why] : opens) {
        const EggLoad load = loadEggFile(file);
        EXPECT_FALSE(load.content);
        expectMessage(load.message, "ファイルを開けませんでした。", file, why);
        EXPECT_TRUE(load.message.contains(s("いまのゲームはそのままです。")));
    }

    const std::vector<WordRecord> unwritable{{s("x😀"), s("1"), {}, {}, {}, {}}};
    const std::tuple<QString, std::span<const WordRecord>, const char *> saves[] = {
        {path("folder.egg"), kTwoWords, "フォルダーがあります"},
        {path("nowhere/a.egg"), kTwoWords, "フォルダー「"},
        {s("/dev/full"), kTwoWords, "ディスクがいっぱいです"},
        {old, unwritable, "😀"},
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
    const std::vector<WordRecord> many(400, word("ながいことばです"));

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
    EXPECT_EQ(files(), QStringList{s("game.egg")});
}
