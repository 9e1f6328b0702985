#include "egg_test_files.h"
#include "form_fixture.h"
#include "persistence/egg_file.h"
#include "persistence/file_window.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

class FileMenuTest : public StageTest {
protected:
    QTemporaryDir dir;

    QString path(const char *name) const { return QDir::toNativeSeparators(dir.filePath(s(name))); }
    Form3 *window() const { return form->fileWindow.data(); }

    // Opens or saves under a typed name through the window's button.
    void viaWindow(void (Form1::*menu)(), const char *name)
    {
        (form.get()->*menu)();
        ASSERT_TRUE(window());
        window()->changeFolder(dir.path());
        window()->txtFileName->setText(s(name));
        (window()->cmdOpen->isEnabled() ? window()->cmdOpen : window()->cmdSave)->click();
    }
    static QByteArray gameFile(const char *endDate)
    {
        return "\"2026/11/01\",\"8\",,,,\r\n\"" + QByteArray(endDate) + "\",\"7\",,,,\r\n\"Ann\",\"9\",,,,\r\n"
               "\"hi\",\"3\",\"\",\"1\",\"1\",\"2\"\r\n\"dung\",\"1\",\"3\",\"3\",\"2\",\"1\"\r\n";
    }
};

TEST_F(FileMenuTest, OneWindowListsAndNames)
{
    for (const char *name : {"a.egg", "B.EGG", "c.txt"})
        put(path(name), "");
    ASSERT_TRUE(QDir(dir.path()).mkdir(s("sub")));
    put(path("sub/d.egg"), "");
    form->savemenuClick();
    QPointer<Form3> w = window();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->folder(), QDir::currentPath()) << "starts where the program was started";
    form->opnmenuClick();
    EXPECT_EQ(window(), w.data()) << "the open window is raised, not doubled";

    w->changeFolder(dir.path());
    QStringList files;
    for (int k = 0; k < w->File1->count(); ++k)
        files << w->File1->item(k)->text();
    EXPECT_EQ(files, (QStringList{s("a.egg"), s("B.EGG")})) << "the pattern ignores letter case";
    w->Dir1->setCurrentItem(w->Dir1->findItems(s("sub"), Qt::MatchEndsWith).value(0));
    QTest::keyClick(w->Dir1, Qt::Key_Return);
    ASSERT_EQ(w->File1->count(), 1) << "Enter in Dir1 enters the folder";

    // A click names the file; leaving with 終了 keeps it as the current file,
    // which holds none of this run's records.
    form->SavedNewRecords = 2;
    w->File1Click(w->File1->item(0));
    EXPECT_EQ(std::pair(w->txtFileName->text(), form->SavedNewRecords), std::pair(s("d.egg"), Int16(0)));
    w->cmdExit->click();
    settle();
    EXPECT_FALSE(w) << "closing destroys the window";
    EXPECT_EQ(form->FileName, path("sub/d.egg"));
}

// Drive1 lists the root first; choosing another drive moves Dir1 and File1
// there, and coming back finds each drive in the folder it was left in.
TEST_F(FileMenuTest, TheDriveListMovesTheFoldersAndRemembersThem)
{
    put(path("a.egg"), "");
    form->opnmenuClick();
    Form3 *w = window();
    ASSERT_TRUE(w);
    ASSERT_GE(w->Drive1->count(), 1);
    EXPECT_EQ(w->Drive1->itemData(0).toString(), s("/")) << "Drive1 lists the root";
    EXPECT_EQ(w->Drive1->currentData().toString(), s("/")) << "Drive1 shows the start folder's drive";
    const QString drive = dir.path() + u'/';
    w->Drive1->addItem(drive, drive); // a mounted volume, as the desktop would list it
    w->Drive1->setCurrentIndex(w->Drive1->count() - 1);
    EXPECT_EQ(w->folder(), dir.path()) << "choosing a drive (Drive1) moves Dir1 there";
    ASSERT_EQ(w->File1->count(), 1) << "and File1 follows";
    w->Drive1->setCurrentIndex(0);
    EXPECT_EQ(w->folder(), QDir::currentPath()) << "the root drive is still where it was left";
}

TEST_F(FileMenuTest, OpeningMidQuestionReturnsToWaiting)
{
    put(path("g.egg"), gameFile("2026/12/20"));
    enter(s("たろう"));
    teach(s("みかん"), {1, 3});
    choose(2); // the liking question pending, its sort answered
    viaWindow(&Form1::opnmenuClick, "g.egg");
    EXPECT_EQ(std::tuple(form->i, form->DataMax, form->Level, form->ELevel, form->DLevel, form->Step),
              std::tuple(0, 5, 5, 1, 1, 0));
    EXPECT_TRUE(form->Answer2.isEmpty() && form->Choice == 0)
        << "a greeting taught next would be stored with the stale sort";
    EXPECT_TRUE(form->txtNyuryoku->isEnabled() && form->tmrMessage->isActive() && form->tmrTalk->isActive());
}

// A file that cannot be opened or saved leaves every part of the game in
// hand, the current file included, and the window stays for another choice.
TEST_F(FileMenuTest, AFailedOpenOrSaveKeepsTheGameInHand)
{
    enter(s("たろう"));
    teach(s("みかん"), {1, 3, 1, 1, 2});
    form->FileName = path("mine.egg");
    form->SavedNewRecords = form->i;
    put(path("cut.egg"), "\"a\",\"9\",,,,\r\n\"b\",\"1\"\r\n");
    auto state = [this] {
        return std::tuple(form->FileName, form->SavedNewRecords, form->i, form->Level, form->DataMax,
                          form->YourName, form->StartDate, form->EndDate, form->Step, form->Rand);
    };
    const auto before = state();
    const auto newData = form->NewData;
    const std::tuple<void (Form1::*)(), const char *, const char *> cases[] = {
        {&Form1::opnmenuClick, "cut.egg", "ファイルを開けませんでした。"},
        {&Form1::opnmenuClick, "none.egg", "ファイルを開けませんでした。"},
        {&Form1::savemenuClick, "nowhere/x.egg", "名前を付けて保存できませんでした。"},
    };
    for (const auto &[menu, name, what] : cases) {
        SCOPED_TRACE(name);
        host.messages.clear();
        viaWindow(menu, name);
        settle();
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_TRUE(host.messages[0].startsWith(s(what)) && host.messages[0].contains(path(name)))
            << host.messages[0].toStdString();
        EXPECT_TRUE(window()) << "the window stays open";
        EXPECT_TRUE(state() == before && form->NewData == newData);
    }

    // A full disk, reached through a name the extension rule leaves alone.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), path("full.egg")));
    form->FileName = path("full.egg");
    form->SavedNewRecords = 0;
    form->asavemenuClick();
    EXPECT_TRUE(host.messages.last().contains(s("ディスクがいっぱいです")));
    EXPECT_EQ(form->SavedNewRecords, 0);
}

// The file was changed behind the game after it was opened: the overwrite
// save adds nothing, says what happened and where the whole game can go.
TEST_F(FileMenuTest, OverwriteSaveRefusesAFileChangedBehindTheGame)
{
    const QByteArray original = gameFile("2026/12/20");
    const std::tuple<const char *, std::optional<QByteArray>, const char *> cases[] = {
        {"deleted", std::nullopt, "ファイルがなくなっています"},
        {"emptied", QByteArray(), "ファイルが空になっています"},
        {"cut short", original.first(original.indexOf("\"dung\"")), "ファイルが短くなっています"},
        {"replaced", QByteArray(original).replace("dung", "food"), "変わっています"},
        {"added to", original + "\"extra\",\"1\",,,,", nullptr},
    };
    for (const auto &[what, changed, why] : cases) {
        SCOPED_TRACE(what);
        put(path("g.egg"), original);
        viaWindow(&Form1::opnmenuClick, "g.egg");
        teach(s("りんご"), {1, 3, 1, 1, 2});
        if (changed)
            put(path("g.egg"), *changed);
        else
            QFile::remove(path("g.egg"));
        host.messages.clear();
        form->asavemenuClick();
        ASSERT_EQ(host.messages.size(), 1);
        if (!why) {
            // Lines another program added are kept, and the game's follow
            // them, once however often the save is chosen.
            form->asavemenuClick();
            EXPECT_EQ(host.messages, QStringList(2, s("上書き保存しました。")));
            EXPECT_EQ(bytesOf(path("g.egg")), *changed + "\r\n" + encodeEggRecord(form->NewData[0]).bytes);
            continue;
        }
        for (const QString &part : {s("上書き保存できませんでした。"), path("g.egg"), s(why), s("「名前をつけて保存」")})
            EXPECT_TRUE(host.messages[0].contains(part)) << host.messages[0].toStdString();
        EXPECT_EQ(bytesOf(path("g.egg")), changed.value_or("<unreadable>"));
    }
}

// A game whose file is as large as an open can read takes no new record, not
// even both of a restarted period's dates, and its file still opens.
TEST_F(FileMenuTest, AFullFileTakesNoNewRecordAndStillOpens)
{
    for (const int records : {kMaxEggRecords, kMaxEggRecords - 1}) {
        SCOPED_TRACE(records);
        const QByteArray word = "\"w\",\"1\",\"1\",\"1\",\"1\",\"2\"\r\n";
        put(path("big.egg"), gameFile("2026/12/01") + word.repeated(records - 5));
        viaWindow(&Form1::opnmenuClick, "big.egg");
        EXPECT_EQ(host.messages.last(), s("このデータを再利用します。"));
        EXPECT_EQ(form->DataMax + form->i, kMaxEggRecords);
        enter(s("もも"));
        EXPECT_EQ(said(), s("もうあたまがいっぱいだ。"));
        form->asavemenuClick();
        EXPECT_EQ(host.messages.last(), s("上書き保存しました。"));
        const EggLoad load = loadEggFile(path("big.egg"));
        ASSERT_TRUE(load.content) << load.message.toStdString();
        EXPECT_EQ(load.content->records.size(), std::size_t(kMaxEggRecords));
    }
}

// A save with an empty name makes ".egg", which the list shows; an empty
// file opens as a game without records.
TEST_F(FileMenuTest, ADotFileIsListedAndAnEmptyFileOpens)
{
    enter(s("たろう"));
    viaWindow(&Form1::savemenuClick, "");
    put(path("empty.egg"), QByteArray());
    form->opnmenuClick();
    window()->changeFolder(dir.path());
    ASSERT_EQ(window()->File1->count(), 2);
    EXPECT_EQ(window()->File1->item(0)->text(), s(".egg"));
    window()->File1Click(window()->File1->item(1));
    window()->cmdOpen->click();
    EXPECT_EQ(host.messages.last(), s("ファイルを開きました。"));
    EXPECT_EQ(std::tuple(form->DataMax, form->Level, form->YourName), std::tuple(0, 0, s("たろう")));
}

// 〜 as Linux input methods type it (U+301C) is taken as ～ (U+FF5E), the
// character code page 932 holds, and found again typed either way.
TEST_F(FileMenuTest, AWaveDashTypedOnLinuxIsSavedAndKnown)
{
    enter(s("たろう"));
    teach(s("よろしく〜"), {3, 1, 1, 2});
    EXPECT_EQ(form->NewData[3].Text, s("よろしく～"));
    viaWindow(&Form1::savemenuClick, "wave");
    EXPECT_TRUE(bytesOf(path("wave.egg")).contains("\x81\x60\",\"3\",\"\",")) << "～ is 81 60 in code page 932";
    form->NewGame();
    viaWindow(&Form1::opnmenuClick, "wave.egg");
    for (const char *typed : {"よろしく〜", "よろしく～"}) {
        enter(s(typed));
        EXPECT_EQ(said(), s("よろしく～ってしってる。")) << typed;
    }
}

} // namespace
