#include "egg_test_files.h"
#include "form_fixture.h"
#include "persistence/egg_codec.h"
#include "persistence/file_window.h"
#include "windows/ending_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <tuple>

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
    void teach(const char *text)
    {
        form->appendNewRecord({s(text), s("1"), s("3"), s("1"), s("1"), s("2")});
    }

    Form3 *showWindow(void (Form1::*menu)())
    {
        (form.get()->*menu)();
        Form3 *w = window();
        if (w)
            w->changeFolder(dir.path());
        return w;
    }
    // Opens or saves under a typed name through the window's button.
    void viaWindow(void (Form1::*menu)(), const char *name)
    {
        Form3 *w = showWindow(menu);
        ASSERT_NE(w, nullptr);
        w->txtFileName->setText(s(name));
        (w->cmdOpen->isEnabled() ? w->cmdOpen : w->cmdSave)->click();
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QByteArray gameFile(const QString &endDate) const
    {
        return "\"2026/11/01\",\"8\",,,,\r\n\"" + endDate.toLatin1() + "\",\"7\",,,,\r\n"
               "\"Ann\",\"9\",,,,\r\n"
               "\"hi\",\"3\",\"\",\"1\",\"1\",\"2\"\r\n"
               "\"dung\",\"1\",\"3\",\"3\",\"2\",\"1\"\r\n";
    }
};

TEST_F(FileMenuTest, WindowBuiltAsDesignedAndSwitchedInPlace)
{
    form->savemenuClick();
    QPointer<Form3> w = window();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), form.get());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->folder(), QDir::currentPath()) << "starts where the program was started";
    EXPECT_TRUE(w->cmdSave->isVisible() && w->cmdSave->isEnabled());
    EXPECT_TRUE(!w->cmdOpen->isVisible() && !w->cmdOpen->isEnabled());

    form->opnmenuClick();
    EXPECT_EQ(window(), w.data()) << "the open window is raised, not doubled";
    EXPECT_TRUE(w->cmdOpen->isVisible() && w->cmdOpen->isEnabled());
    EXPECT_TRUE(!w->cmdSave->isVisible() && !w->cmdSave->isEnabled());

    w->cmdExit->click();
    settle();
    EXPECT_FALSE(w) << "closing destroys the window";
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(FileMenuTest, ListsAndNames)
{
    put(path("a.egg"), "");
    put(path("B.EGG"), "");
    put(path("c.txt"), "");
    ASSERT_TRUE(QDir(dir.path()).mkdir(s("sub")));
    put(path("sub/d.egg"), "");
    Form3 *w = showWindow(&Form1::opnmenuClick);

    QStringList files;
    for (int k = 0; k < w->File1->count(); ++k)
        files << w->File1->item(k)->text();
    EXPECT_EQ(files, (QStringList{s("a.egg"), s("B.EGG")})) << "the pattern ignores letter case";

    EXPECT_EQ(w->Dir1->item(0)->text(), QDir::toNativeSeparators(QDir::rootPath()));
    EXPECT_EQ(w->Dir1->currentItem()->text().trimmed(), QDir(dir.path()).dirName());
    const QList<QListWidgetItem *> sub = w->Dir1->findItems(s("sub"), Qt::MatchEndsWith);
    ASSERT_EQ(sub.size(), 1);
    w->Dir1Activated(sub[0]);
    EXPECT_EQ(w->folder(), QDir(dir.path()).filePath(s("sub")));
    ASSERT_EQ(w->File1->count(), 1);
    EXPECT_EQ(w->File1->item(0)->text(), s("d.egg"));

    // A click names the file; leaving with 終了 keeps it as the current file,
    // which holds none of this run's records.
    form->SavedNewRecords = 2;
    w->File1Click(w->File1->item(0));
    EXPECT_EQ(w->txtFileName->text(), s("d.egg"));
    EXPECT_EQ(form->FileName, path("sub/d.egg"));
    EXPECT_EQ(form->SavedNewRecords, 0);
    w->cmdExit->click();
    settle();
    EXPECT_EQ(form->FileName, path("sub/d.egg"));

    // At a root the name follows the separator the root already ends in.
    w = showWindow(&Form1::savemenuClick);
    w->changeFolder(QDir::rootPath());
    w->txtFileName->setText(s("x.egg"));
    w->getFileName();
    EXPECT_EQ(form->FileName, QDir::toNativeSeparators(QDir::rootPath()) + s("x.egg"));
}

// 上書き保存 without a file asks for one; after that it appends only what the
// file does not hold yet, however often it is chosen.
TEST_F(FileMenuTest, OverwriteSaveNeverRepeatsRecords)
{
    giveName("たろう");
    form->asavemenuClick();
    ASSERT_TRUE(window());
    EXPECT_TRUE(window()->cmdSave->isEnabled());
    window()->changeFolder(dir.path());
    window()->txtFileName->setText(s("memo"));
    window()->cmdSave->click();
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

TEST_F(FileMenuTest, OpeningReplacesTheGameAndReturnsToWaiting)
{
    put(path("g.egg"), gameFile(s("2026/12/20")));
    giveName("たろう");
    teach("みかん");
    form->Step = 3; // a question pending
    form->txtNyuryoku->setEnabled(false);
    form->tmrMessage->stop();

    viaWindow(&Form1::opnmenuClick, "g.egg");
    settle();
    EXPECT_FALSE(window());
    EXPECT_EQ(host.messages.last(), s("ファイルを開きました。"));
    EXPECT_EQ(form->FileName, path("g.egg"));
    EXPECT_EQ(std::tuple(form->i, form->DataMax, form->Level, form->ELevel, form->DLevel, form->Step),
              std::tuple(0, 5, 5, 1, 1, 0));
    EXPECT_EQ(QStringList({form->YourName, form->StartDate, form->EndDate, form->TalkFrom}),
              QStringList({s("Ann"), s("2026/11/01"), s("2026/12/20"), s("y")}));
    EXPECT_EQ(form->Data[4].Text, s("hi"));
    EXPECT_EQ(form->Rand, 4) << "the last greeting";
    EXPECT_TRUE(form->txtNyuryoku->isEnabled() && form->statusmenu->isEnabled());
    EXPECT_TRUE(form->tmrMessage->isActive() && form->tmrTalk->isActive());
    EXPECT_FALSE(form->endingWindow) << "no ending before the end date";

    teach("りんご");
    teach("ぶどう");
    form->asavemenuClick();
    EXPECT_EQ(lineCount(path("g.egg")), 7) << "two words taught, two lines added";
}

TEST_F(FileMenuTest, PeriodCheckAfterTheMessage)
{
    put(path("g.egg"), gameFile(dateText(host.date)));
    viaWindow(&Form1::opnmenuClick, "g.egg");
    EXPECT_EQ(host.messages, QStringList{s("ファイルを開きました。")});
    EXPECT_TRUE(form->endingWindow) << "opened on its end date: the farewell";

    auto later = std::make_unique<Form1>(host);
    host.messages.clear();
    host.date = host.date.addDays(1);
    later->FileName = path("g.egg");
    ASSERT_TRUE(later->FLoad());
    EXPECT_EQ(host.messages, (QStringList{s("ファイルを開きました。"), s("このデータを再利用します。")}));
    EXPECT_EQ(later->i, 2) << "the new period's two date records";
    EXPECT_EQ(later->Level, 7);
    later->asavemenuClick();
    EXPECT_EQ(lineCount(path("g.egg")), 7);
}

// A file that cannot be opened leaves every part of the game in hand, the
// current file included, and the window stays for another choice.
TEST_F(FileMenuTest, ABadFileKeepsTheGameInHand)
{
    giveName("たろう");
    teach("みかん");
    form->FileName = path("mine.egg");
    ASSERT_TRUE(form->NFSave());
    host.messages.clear();
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
    const struct {
        const char *name;
        const char *why;
    } cases[] = {{"cut.egg", "2行目"}, {"sjis.egg", "2行目"}, {"folder.egg", "フォルダー"}, {"none.egg", "ありません"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        host.messages.clear();
        viaWindow(&Form1::opnmenuClick, c.name);
        settle();
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_TRUE(host.messages[0].contains(s("ファイルを開けませんでした。"))) << host.messages[0].toStdString();
        EXPECT_TRUE(host.messages[0].contains(path(c.name)));
        EXPECT_TRUE(host.messages[0].contains(s(c.why))) << host.messages[0].toStdString();
        EXPECT_TRUE(window()) << "the window stays open";
        EXPECT_TRUE(state() == before);
        EXPECT_TRUE(form->NewData == newData);
    }
}

TEST_F(FileMenuTest, AFailedSaveKeepsTheCurrentFile)
{
    giveName("たろう");
    form->FileName = path("mine.egg");
    ASSERT_TRUE(form->NFSave());
    host.messages.clear();

    viaWindow(&Form1::savemenuClick, "nowhere/x");
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].startsWith(s("名前を付けて保存できませんでした。")));
    EXPECT_TRUE(host.messages[0].contains(path("nowhere/x.egg")));
    EXPECT_TRUE(window());
    EXPECT_EQ(form->FileName, path("mine.egg"));
    EXPECT_EQ(form->SavedNewRecords, form->i);

    // A full disk, reached through a name the extension rule leaves alone.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), path("full.egg")));
    form->FileName = path("full.egg");
    form->SavedNewRecords = 0;
    EXPECT_FALSE(form->FSave());
    EXPECT_TRUE(host.messages.last().contains(s("ディスクがいっぱいです")));
    EXPECT_NE(host.messages.last(), s("上書き保存しました。"));
}

} // namespace
