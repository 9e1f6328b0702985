#include "egg_test_files.h"
#include "form_fixture.h"
#include "persistence/egg_file.h"
#include "persistence/file_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

class FileMenuTest : public StageTest {
protected:
    QTemporaryDir dir;

    QString path(const char *name) const { return QDir::toNativeSeparators(dir.filePath(s(name))); }
    Form3 *window() const { return form->fileWindow.data(); }

    // The dialogue is not under test here: the name and the words go
    // straight into the memory, as the dialogue would put them.
    void giveName(const char *name)
    {
        form->YourName = s(name);
        form->appendNewRecord({s(name), Code::Name, {}, {}, {}, {}});
        form->Step = 0;
    }
    void teach(const char *text) { form->appendNewRecord({s(text), s("1"), s("3"), s("1"), s("1"), s("2")}); }
    // Types into the entry box and confirms with the button.
    void enter(const char *text)
    {
        form->txtNyuryoku->setText(s(text));
        form->cmdKakunin->click();
    }

    // Opens or saves under a typed name through the window's button.
    void viaWindow(void (Form1::*menu)(), const char *name)
    {
        (form.get()->*menu)();
        ASSERT_TRUE(window());
        window()->changeFolder(dir.path());
        window()->txtFileName->setText(s(name));
        (window()->cmdOpen->isEnabled() ? window()->cmdOpen : window()->cmdSave)->click();
    }

    QByteArray gameFile(const QString &endDate) const
    {
        return "\"2026/11/01\",\"8\",,,,\r\n\"" + endDate.toLatin1() + "\",\"7\",,,,\r\n"
               "\"Ann\",\"9\",,,,\r\n"
               "\"hi\",\"3\",\"\",\"1\",\"1\",\"2\"\r\n"
               "\"dung\",\"1\",\"3\",\"3\",\"2\",\"1\"\r\n";
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
    EXPECT_TRUE(w->cmdSave->isVisible() && w->cmdSave->isEnabled() && !w->cmdOpen->isEnabled());
    form->opnmenuClick();
    EXPECT_EQ(window(), w.data()) << "the open window is raised, not doubled";
    EXPECT_TRUE(w->cmdOpen->isVisible() && w->cmdOpen->isEnabled() && !w->cmdSave->isEnabled());

    w->changeFolder(dir.path());
    QStringList files;
    for (int k = 0; k < w->File1->count(); ++k)
        files << w->File1->item(k)->text();
    EXPECT_EQ(files, (QStringList{s("a.egg"), s("B.EGG")})) << "the pattern ignores letter case";
    const QList<QListWidgetItem *> sub = w->Dir1->findItems(s("sub"), Qt::MatchEndsWith);
    ASSERT_EQ(sub.size(), 1);
    w->Dir1->setCurrentItem(sub[0]);
    QTest::keyClick(w->Dir1, Qt::Key_Return);
    ASSERT_EQ(w->folder(), QDir(dir.path()).filePath(s("sub"))) << "Enter in Dir1 enters the folder";
    ASSERT_EQ(w->File1->count(), 1);

    // A click names the file; leaving with 終了 keeps it as the current file,
    // which holds none of this run's records.
    form->SavedNewRecords = 2;
    w->File1Click(w->File1->item(0));
    EXPECT_EQ(w->txtFileName->text(), s("d.egg"));
    EXPECT_EQ(form->SavedNewRecords, 0);
    w->cmdExit->click();
    settle();
    EXPECT_FALSE(w) << "closing destroys the window";
    EXPECT_EQ(form->FileName, path("sub/d.egg"));
}

// 上書き保存 without a file asks for one; after that it appends only what the
// file does not hold yet, however often it is chosen.
TEST_F(FileMenuTest, OverwriteSaveNeverRepeatsRecords)
{
    giveName("たろう");
    viaWindow(&Form1::asavemenuClick, "memo");
    settle();
    EXPECT_FALSE(window()) << "closed after the save";
    EXPECT_EQ(host.messages, QStringList{s("名前を付けて保存しました。")});
    EXPECT_EQ(form->FileName, path("memo.egg"));
    EXPECT_EQ(lineCount(path("memo.egg")), 3);

    form->asavemenuClick();
    EXPECT_FALSE(window()) << "a current file needs no window";
    EXPECT_EQ(host.messages.last(), s("上書き保存しました。"));
    EXPECT_EQ(lineCount(path("memo.egg")), 3);
    teach("みかん");
    teach("りんご");
    form->asavemenuClick();
    form->asavemenuClick();
    EXPECT_EQ(lineCount(path("memo.egg")), 5);
    EXPECT_EQ(host.messages.size(), 4);
}

TEST_F(FileMenuTest, OpeningMidQuestionReturnsToWaiting)
{
    put(path("g.egg"), gameFile(s("2026/12/20")));
    giveName("たろう");
    teach("みかん");
    form->Step = 3; // a question pending, its sort already answered
    form->Answer2 = s("1");
    form->Choice = 2;
    form->txtNyuryoku->setEnabled(false);
    form->tmrMessage->stop();

    viaWindow(&Form1::opnmenuClick, "g.egg");
    EXPECT_EQ(std::tuple(form->i, form->DataMax, form->Level, form->ELevel, form->DLevel, form->Step),
              std::tuple(0, 5, 5, 1, 1, 0));
    EXPECT_TRUE(form->txtNyuryoku->isEnabled());
    EXPECT_TRUE(form->Answer2.isEmpty() && form->Choice == 0)
        << "a greeting taught next would be stored with the stale sort";
    EXPECT_TRUE(form->tmrMessage->isActive() && form->tmrTalk->isActive());
}

// A file that cannot be opened or saved leaves every part of the game in
// hand, the current file included, and the window stays for another choice.
TEST_F(FileMenuTest, AFailedOpenOrSaveKeepsTheGameInHand)
{
    giveName("たろう");
    teach("みかん");
    form->FileName = path("mine.egg");
    form->SavedNewRecords = form->i;
    put(path("cut.egg"), "\"a\",\"9\",,,,\r\n\"b\",\"1\"\r\n");
    put(path("sjis.egg"), "\"a\",\"9\",,,,\r\n\"\xff\",\"1\",,,,\r\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir(s("folder.egg")));

    // What the game in hand is made of, besides the records.
    auto state = [this] {
        return std::tuple(form->FileName, form->SavedNewRecords, form->i, form->Level, form->DataMax,
                          form->YourName, form->StartDate, form->EndDate, form->Step, form->Rand);
    };
    const auto before = state();
    const auto newData = form->NewData;
    const std::tuple<void (Form1::*)(), const char *, const char *> cases[] = {
        {&Form1::opnmenuClick, "cut.egg", "ファイルを開けませんでした。"},
        {&Form1::opnmenuClick, "sjis.egg", "ファイルを開けませんでした。"},
        {&Form1::opnmenuClick, "folder.egg", "ファイルを開けませんでした。"},
        {&Form1::opnmenuClick, "none.egg", "ファイルを開けませんでした。"},
        {&Form1::savemenuClick, "nowhere/x.egg", "名前を付けて保存できませんでした。"},
    };
    for (const auto &[menu, name, what] : cases) {
        SCOPED_TRACE(name);
        host.messages.clear();
        viaWindow(menu, name);
        settle();
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_TRUE(host.messages[0].startsWith(s(what))) << host.messages[0].toStdString();
        EXPECT_TRUE(host.messages[0].contains(path(name))) << host.messages[0].toStdString();
        EXPECT_TRUE(window()) << "the window stays open";
        EXPECT_TRUE(state() == before);
        EXPECT_TRUE(form->NewData == newData);
    }

    // A full disk, reached through a name the extension rule leaves alone.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), path("full.egg")));
    form->FileName = path("full.egg");
    form->SavedNewRecords = 0;
    EXPECT_FALSE(form->FSave());
    EXPECT_TRUE(host.messages.last().contains(s("ディスクがいっぱいです")));
    EXPECT_EQ(form->SavedNewRecords, 0);
}

// The file was changed behind the game after it was opened: the overwrite
// save adds nothing, says what happened and where the whole game can go.
TEST_F(FileMenuTest, OverwriteSaveRefusesAFileChangedBehindTheGame)
{
    const QByteArray original = gameFile(s("2026/12/20"));
    const std::tuple<const char *, std::optional<QByteArray>, const char *> cases[] = {
        {"deleted", std::nullopt, "ファイルがなくなっています"},
        {"emptied", QByteArray(), "ファイルが空になっています"},
        {"cut short", original.first(original.indexOf("\"dung\"")), "ファイルが短くなっています"},
        {"replaced", QByteArray(original).replace("dung", "food"), "変わっています"},
    };
    for (const auto &[what, changed, why] : cases) {
        SCOPED_TRACE(what);
        put(path("g.egg"), original);
        viaWindow(&Form1::opnmenuClick, "g.egg");
        teach("りんご");
        if (changed)
            put(path("g.egg"), *changed);
        else
            QFile::remove(path("g.egg"));
        host.messages.clear();
        form->asavemenuClick();
        ASSERT_EQ(host.messages.size(), 1);
        for (const QString &part : {s("上書き保存できませんでした。"), path("g.egg"), s(why), s("「名前をつけて保存」")})
            EXPECT_TRUE(host.messages[0].contains(part)) << host.messages[0].toStdString();
        EXPECT_EQ(QFileInfo::exists(path("g.egg")), changed.has_value());
        EXPECT_EQ(bytesOf(path("g.egg")), changed.value_or("<unreadable>"));
    }

    // Lines another program added are kept, and the game's follow them.
    put(path("g.egg"), original);
    viaWindow(&Form1::opnmenuClick, "g.egg");
    teach("りんご");
    const QByteArray added = original + "\"extra\",\"1\",,,,";
    put(path("g.egg"), added);
    form->asavemenuClick();
    EXPECT_EQ(host.messages.last(), s("上書き保存しました。"));
    EXPECT_EQ(bytesOf(path("g.egg")), added + "\r\n" + encodeEggRecord(form->NewData[0]).bytes);
}

// A game whose file is as large as an open can read takes no new record, not
// even both of a restarted period's dates, and its file still opens.
TEST_F(FileMenuTest, AFullFileTakesNoNewRecordAndStillOpens)
{
    for (const int records : {kMaxEggRecords, kMaxEggRecords - 1}) {
        SCOPED_TRACE(records);
        const QByteArray word = "\"w\",\"1\",\"1\",\"1\",\"1\",\"2\"\r\n";
        put(path("big.egg"), gameFile(s("2026/12/01")) + word.repeated(records - 5));
        viaWindow(&Form1::opnmenuClick, "big.egg");
        EXPECT_EQ(host.messages.last(), s("このデータを再利用します。"));
        EXPECT_EQ(form->DataMax + form->i, kMaxEggRecords);
        enter("もも");
        EXPECT_EQ(form->lblMessage->text(), s("もうあたまがいっぱいだ。"));
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
    giveName("たろう");
    viaWindow(&Form1::savemenuClick, "");
    EXPECT_EQ(form->FileName, path(".egg"));
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
    enter("たろう");
    enter("よろしく〜");
    for (int k : {3, 1, 1, 2}) {
        form->lblSentakuClick(k);
        form->cmdKakunin->click();
    }
    EXPECT_EQ(form->NewData[3].Text, s("よろしく～"));
    viaWindow(&Form1::savemenuClick, "wave");
    EXPECT_TRUE(bytesOf(path("wave.egg")).contains("\x81\x60\",\"3\",\"\",")) << "～ is 81 60 in code page 932";
    form->NewGame();
    viaWindow(&Form1::opnmenuClick, "wave.egg");
    for (const char *typed : {"よろしく〜", "よろしく～"}) {
        enter(typed);
        EXPECT_EQ(form->lblMessage->text(), s("よろしく～ってしってる。")) << typed;
    }
}

} // namespace
