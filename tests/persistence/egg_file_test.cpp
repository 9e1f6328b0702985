#include "persistence/egg_file.h"
#include "test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

const std::vector<WordRecord> kTwoWords{word("みかん"), word("うんこ")};

// Every fault says what failed, for which file and why.
void expectMessage(const QString &message, const char *what, const QString &fileName, const char *why)
{
    EXPECT_TRUE(message.startsWith(s(what)) && message.contains(QDir::toNativeSeparators(fileName))
                && message.contains(s(why)))
        << message.toStdString();
}

class EggFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString path(const char *name) const { return dir.filePath(s(name)); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

} // namespace

// The extension a name gets file-window.stage shows; here the folder it goes in.
TEST(EggNames, FolderAndSeparator)
{
    EXPECT_EQ(joinFolderAndName(s("/tmp/sa/d"), s("/tmp/sa/d/sub")), QDir::toNativeSeparators(s("/tmp/sa/d/sub")))
        << "a name typed with its whole path";
    EXPECT_EQ(joinFolderAndName(QDir::rootPath(), s("a.egg")), QDir::toNativeSeparators(QDir::rootPath()) + s("a.egg"));
    for (const char *folder : {"/tmp/games", "/tmp/games/"})
        EXPECT_EQ(joinFolderAndName(s(folder), s("a.egg")), QDir::toNativeSeparators(s("/tmp/games/a.egg")));
}

// Save-as replaces whatever the file held, a longer file too, keeps the
// permissions the player gave it, and leaves nothing else behind. (What an
// overwrite save adds, the transcripts show.)
TEST_F(EggFileTest, SaveAsReplacesAndLeavesNothingElse)
{
    const QString file = path("life.egg");
    put(file, QByteArray(5000, 'x'));
    ASSERT_EQ(chmod(QFile::encodeName(file).constData(), 0751), 0);
    const std::vector<WordRecord> dog{word("いぬ")};
    ASSERT_EQ(saveEggFileAs(file, dog, kTwoWords), QString());
    EXPECT_EQ(bytesOf(file), encodeEgg(dog, kTwoWords).bytes);
    EXPECT_EQ(modeOf(file), 0751u);
    EXPECT_EQ(files(), QStringList{s("life.egg")}) << "no temporary file left";
    // A name so long that the usual temporary name beside it would be too long.
    const QString longest = path((std::string(251, 'l') + ".egg").c_str());
    put(longest, "old");
    ASSERT_EQ(saveEggFileAs(longest, dog, kTwoWords), QString());
    EXPECT_EQ(bytesOf(longest), encodeEgg(dog, kTwoWords).bytes);
}

// A refused open or save leaves the game in hand and every file as it was.
TEST_F(EggFileTest, OpensAndSavesRefuseAndLeaveEverythingAsItWas)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(s("folder.egg")));
    put(path("folder.egg/inside.egg"), "keep");
    const QString old = path("old.egg");
    put(old, "\"a\",\"9\",,,,\r\n");
    put(path("truncated.egg"), "\"a\",\"9\",,,,\r\n\"b\",\"1\"\r\n");
    const QString loop = path("loop.egg"), fifo = path("fifo.egg"), tooLong = path(std::string(300, 'n').c_str());
    ASSERT_TRUE(QFile::link(loop, loop));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A device that is always full: a node of its own where the rights allow
    // one, so that a faulty save (a planted one, say) cannot replace /dev/full.
    const QString full = path("full");
    const QString device =
        mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0 ? full : s("/dev/full");

    const std::pair<QString, const char *> opens[] = {
        {path("missing.egg"), "ファイルがありません"},
        {path("no/such/folder/a.egg"), "フォルダー「"},
        {path("folder.egg"), "フォルダーです"},
        {device, "ふつうのファイルではありません。"},
        {path("truncated.egg"), "2行目のレコードが途中で終わって"},
        {loop, "シンボリックリンクが輪になっていて"},
        {tooLong, "名前が長すぎます"},
    };
    for (const auto &[file, why] : opens) {
        const EggLoad load = loadEggFile(file);
        EXPECT_FALSE(load.content);
        expectMessage(load.message, "ファイルを開けませんでした。", file, why);
        EXPECT_TRUE(load.message.contains(s("いまのゲームはそのままです。")));
    }

    const std::vector<WordRecord> unwritable{{s("x😀"), s("1"), {}, {}, {}, {}}};
    // Nothing is saved that the game's own open would refuse.
    const std::vector<WordRecord> tooMany(kMaxEggRecords + 1, word("a")),
        tooLarge{{QString(kMaxEggFileBytes, u'a'), s("1"), {}, {}, {}, {}}};
    const std::tuple<QString, std::span<const WordRecord>, const char *> saves[] = {
        {old, tooMany, "10000件をこえ"},
        {old, tooLarge, "保存するとファイルが大きくなりすぎて、開けなくなります（セーブファイルは32MBまでです）"},
        {path("folder.egg"), kTwoWords, "フォルダーがあります"},
        {path("nowhere/a.egg"), kTwoWords, "フォルダー「"},
        {device, kTwoWords, "ディスクがいっぱいです"},
        {old, unwritable, "😀"},
        {loop, kTwoWords, "シンボリックリンクが輪になっていて"},
        {fifo, kTwoWords, "読みとるプログラムのいないパイプ（FIFO）"},
    };
    for (const auto &[file, records, why] : saves) {
        expectMessage(saveEggFileAs(file, {}, records), "名前を付けて保存できませんでした。", file, why);
        expectMessage(appendEggFile(file, records), "上書き保存できませんでした。", file, why);
    }
    EXPECT_EQ(bytesOf(path("folder.egg/inside.egg")), "keep");
    EXPECT_FALSE(QFileInfo::exists(path("nowhere")));
    EXPECT_FALSE(QFileInfo(device).isFile()) << "the device is written, never replaced";
    EXPECT_TRUE(bytesOf(old) == "\"a\",\"9\",,,,\r\n") << "the file was changed";
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

// A save interrupted at any byte of its records leaves a file that
// opens with every whole record, the unfinished one left out and the file
// untouched; the next overwrite save cuts that one off before it adds. A
// record cut after its fifth comma is read, flagged, and kept by the next
// save, which ends its line first.
TEST_F(EggFileTest, AFileCutAnywhereOpensAndIsMendedByTheNextSave)
{
    // Each ends in an unset field, as a name does: a cut after a record's
    // fifth comma reads, by the reading rule, as that record whole.
    const std::vector<WordRecord> records{{s("いぬ"), s("1"), s("3"), s("1"), s("1"), {}},
                                          {s("亜"), s("9"), {}, {}, {}, {}},
                                          {s("堯ア"), s("1"), s("3"), s("2"), s("1"), {}}};
    const QByteArray whole = encodeEgg(records).bytes;
    std::vector<qsizetype> ends; // each line's end, its line end included
    for (const WordRecord &r : records)
        ends.push_back((ends.empty() ? 0 : ends.back()) + encodeEggRecord(r).bytes.size());
    const std::vector<WordRecord> dog{word("ねこ")};
    const QString file = path("cut.egg");
    for (qsizetype cut = 1; cut <= whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        const QByteArray bytes = whole.first(cut);
        put(file, bytes);
        std::size_t complete = 0; // records whose last field the cut keeps
        while (complete < ends.size() && ends[complete] - 2 <= cut)
            ++complete;
        const qsizetype kept = complete ? std::min(cut, ends[complete - 1]) : 0;
        const EggLoad load = loadEggFile(file);
        ASSERT_TRUE(load.content) << load.message.toStdString();
        EXPECT_EQ(load.content->records, std::vector<WordRecord>(records.begin(), records.begin() + complete));
        EXPECT_EQ(load.mark.unfinished, cut - kept);
        EXPECT_EQ(load.lastRecordOpen, complete && cut == ends[complete - 1] - 2) << "cut after a fifth comma";
        EXPECT_EQ(bytesOf(file), bytes);
        EggFileMark mark = load.mark;
        ASSERT_EQ(appendEggFile(file, dog, &mark), QString());
        const bool lineEnded = kept == 0 || bytes[kept - 1] == '\n' || bytes[kept - 1] == '\r';
        EXPECT_EQ(bytesOf(file), bytes.first(kept) + (lineEnded ? "" : "\r\n") + encodeEgg(dog).bytes);
    }
}

// The overwrite save builds only on whole records, whoever wrote them, and
// never past the record limit: another program's unfinished line, a file cut
// short that the game never opened, a file full by itself or through another
// writer are each refused and left as they were.
TEST_F(EggFileTest, AnOverwriteSaveAddsOnlyToWholeRecordsWithinTheLimit)
{
    const QByteArray mine = encodeEgg(kTwoWords).bytes, record = "\"a\",\"1\",,,,\r\n";
    // The file, whether the game opened it, what another program then added, and why no save.
    const std::tuple<QByteArray, bool, QByteArray, const char *> cases[] = {
        {mine, true, "\"unclosed", "書きかけの部分があります。ほかのプログラムに書きかえられた"},
        {mine, true, "X", "書きかけの部分があります。ほかのプログラムに書きかえられた"},
        {mine + "\"tor", false, "", "セーブファイルとして読めないファイルです（最後のレコードが書きかけです。）"},
        {mine + "\"tor", true, "X", "書きかけだった最後のレコードのあとに、何かが書き足されています。"},
        {record.repeated(kMaxEggRecords - 1), false, "", "もう9999件のレコードがあり、2件を足すと10000件をこえて"},
        {record.repeated(kMaxEggRecords - 10), true, record.repeated(9), "もう9999件のレコードがあり"},
        {'"' + QByteArray(kMaxEggFileBytes - 42, 'a') + "\",\"1\",,,,\r\n", false, "",
         "大きくなりすぎて、開けなくなります"},
    };
    const QString file = path("game.egg");
    for (const auto &[before, opened, added, why] : cases) {
        put(file, before);
        EggFileMark mark = opened ? loadEggFile(file).mark : EggFileMark{};
        put(file, before + added);
        expectMessage(appendEggFile(file, kTwoWords, &mark), "上書き保存できませんでした。", file, why);
        EXPECT_TRUE(bytesOf(file) == before + added) << "the file was changed";
    }
}

// What a save as killed halfway left beside its target goes with the next
// save as to that target; a file of another form or target, or one that
// another copy of the game is still writing (and holds locked), stays.
TEST_F(EggFileTest, ASaveAsClearsWhatAKilledOneLeft)
{
    const QStringList left{s(".life.egg.nanairobako-a1B2c3"), s(".life.egg.nanairobako-Z0ZZZZ")};
    const QStringList kept{s(".life.egg.nanairobako-held00"),
                           s(".other.egg.nanairobako-a1B2c3"),
                           s(".life.egg.nanairobako-a1B2c"),
                           s(".life.egg.nanairobako-a1B2c!"),
                           s("life.egg.nanairobako-a1B2c3"),
                           s(".life.egg.a1B2c3"),
                           s(".egg-a1B2c3")};
    for (const QString &name : left + kept)
        put(dir.filePath(name), "x");
    QFile writing(dir.filePath(kept[0]));
    ASSERT_TRUE(writing.open(QIODevice::ReadOnly) && flock(writing.handle(), LOCK_EX) == 0);
    ASSERT_EQ(saveEggFileAs(path("life.egg"), {}, kTwoWords), QString());
    QStringList expected = kept + QStringList{s("life.egg")};
    expected.sort();
    QStringList now = files();
    now.sort();
    EXPECT_EQ(now, expected);
}
