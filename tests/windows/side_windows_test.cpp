#include "form_fixture.h"

#include "app/stage_widgets.h"
#include "windows/about_window.h"
#include "windows/ending_window.h"
#include "windows/status_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// Runs what closing a window with WA_DeleteOnClose left for later.
void runDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

} // namespace

using SideWindowTest = StageTest;

TEST_F(SideWindowTest, StatusWindowKeepsItsValuesUntilReopened)
{
    form->YourName = QStringLiteral("ハナコ");
    form->Level = 20;
    form->ELevel = 2;
    form->DLevel = 10;
    form->statusmenuClick();
    QPointer<Form2> window = form->statusWindow;
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->txtYourName->text(), QStringLiteral("ハナコ"));
    EXPECT_EQ(window->txtCharaName->text(), QStringLiteral("ミスター・トルマリン"));
    EXPECT_EQ(window->txtLevel->text(), QStringLiteral("20"));
    EXPECT_EQ(window->txtJob->text(), QStringLiteral("アングラの帝王で幼稚園児"));
    EXPECT_EQ(window->txtStartDate->text(), QStringLiteral("2026/12/06"));
    EXPECT_EQ(window->txtEndDate->text(), QStringLiteral("2026/12/20"));

    form->Level = 101;
    form->statusmenuClick();
    EXPECT_EQ(form->statusWindow, window);
    EXPECT_EQ(window->txtLevel->text(), QStringLiteral("20"));

    window->close();
    runDeferredDeletes();
    EXPECT_TRUE(window.isNull());
    form->statusmenuClick();
    ASSERT_TRUE(form->statusWindow);
    EXPECT_EQ(form->statusWindow->txtLevel->text(), QStringLiteral("101"));
    EXPECT_EQ(form->statusWindow->txtJob->text(), QStringLiteral("純真で無垢な王様"));
}

TEST_F(SideWindowTest, EndingHidesTheStageAndBeginsSilent)
{
    form->YourName = QStringLiteral("ハナコ");
    form->show();
    form->Ending();
    Form4 *ending = form->endingWindow;
    ASSERT_TRUE(ending);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(ending->isVisible());
    EXPECT_EQ(ending->lblMessage->text(), QStringLiteral("・・・・・。"));
    EXPECT_TRUE(ending->tmrTiming->isActive());
    EXPECT_TRUE(ending->tmrAnime->isActive());
    EXPECT_FALSE(ending->tmrTalk->isActive());
    // The eyes hold their look-alike picture: the first blink tick only opens them.
    ending->tmrAnimeTick();
    EXPECT_TRUE(ending->imgEye->shows(form->frames.img01));
    EXPECT_FALSE(ending->tmrAnime->isActive());
}

TEST_F(SideWindowTest, EndingScriptClicksThroughToTheFarewell)
{
    form->YourName = QStringLiteral("ハナコ");
    form->Ending();
    Form4 *ending = form->endingWindow;
    form->YourName = QStringLiteral("changed later");   // the scene keeps its copy
    ending->cmdNext->click();
    EXPECT_EQ(ending->lblMessage->text(), QStringLiteral("ハナコ、元気か？"));
    for (int line = 1; line < 27; ++line) {
        ending->cmdNext->click();
        SCOPED_TRACE(line);
        EXPECT_EQ(ending->tmrTalk->isActive(), ending->lblMessage->text() != QStringLiteral("・・・・・"));
    }
    EXPECT_EQ(ending->lblMessage->text(), QStringLiteral("今までありがとう。"));
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(host.exits, 0);

    ending->cmdNext->click();
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("ばいばい。")});
    EXPECT_EQ(host.exits, 1);
}

TEST_F(SideWindowTest, EndingMouthStartsFromItsDesignPicture)
{
    form->Ending();
    Form4 *ending = form->endingWindow;
    ending->cmdNextClick();
    ending->tmrTalkTick();
    EXPECT_TRUE(ending->imgKuchi->shows(form->frames.img04));
    ending->tmrTalkTick();
    EXPECT_TRUE(ending->imgKuchi->shows(form->frames.img05));
    for (int tick = 2; tick < 12; ++tick)
        ending->tmrTalkTick();
    EXPECT_TRUE(ending->imgKuchi->shows(form->frames.img04));
    EXPECT_FALSE(ending->tmrTalk->isActive());

    // A silent line reached mid-talk leaves the mouth as it is.
    ending->cmdNextClick();   // lines 1 ... 5 talk
    for (int line = 2; line <= 5; ++line)
        ending->cmdNextClick();
    ending->tmrTalkTick();
    ASSERT_TRUE(ending->imgKuchi->shows(form->frames.img05));
    ending->cmdNextClick();   // line 6
    EXPECT_FALSE(ending->tmrTalk->isActive());
    EXPECT_TRUE(ending->imgKuchi->shows(form->frames.img05));
}

TEST_F(SideWindowTest, ClosingTheEndingWindowEndsTheProgram)
{
    form->Ending();
    form->endingWindow->close();
    EXPECT_EQ(host.exits, 1);
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(SideWindowTest, AfterEndBeginsANewPeriodWithTheSameMemory)
{
    // As the loading leaves it: no records of this run, levels from the file.
    form->YourName = QStringLiteral("ハナコ");
    form->i = 0;
    form->DataMax = 40;
    form->Level = 40;
    form->ELevel = 3;
    form->DLevel = 4;
    host.date = QDate(2027, 2, 20);
    form->AfterEnd();
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("このデータを再利用します。")});
    EXPECT_EQ(form->lblMessage->text(), QStringLiteral("やあハナコ。またきたぞ。"));
    EXPECT_EQ(form->StartDate, QStringLiteral("2027/02/20"));
    EXPECT_EQ(form->EndDate, QStringLiteral("2027/03/06"));
    EXPECT_EQ(form->i, 2);
    EXPECT_EQ(form->Level, 42);
    EXPECT_EQ(form->ELevel, 3);
    EXPECT_EQ(form->DLevel, 4);
    EXPECT_EQ(form->NewData[0], (WordRecord{QStringLiteral("2027/02/20"), QStringLiteral("8"), {}, {}, {}, {}}));
    EXPECT_EQ(form->NewData[1], (WordRecord{QStringLiteral("2027/03/06"), QStringLiteral("7"), {}, {}, {}, {}}));
}

TEST_F(SideWindowTest, AfterEndNeverWritesPastTheLastSlot)
{
    for (const Int16 start : {Int16(100), Int16(101)}) {
        SCOPED_TRACE(start);
        form->i = start;
        form->Level = start;
        form->NewData[100] = {};
        form->AfterEnd();
        EXPECT_EQ(form->i, 101);
        EXPECT_EQ(form->Level, 101);
        EXPECT_EQ(form->NewData[100].Kind, start == 100 ? std::optional(QStringLiteral("8")) : std::nullopt);
    }
}

TEST_F(SideWindowTest, VersionWindowOpensOnceAndCloses)
{
    form->vermenuClick();
    QPointer<frmAbout> about = form->aboutWindow;
    ASSERT_TRUE(about);
    form->vermenuClick();
    EXPECT_EQ(form->aboutWindow, about);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_TRUE(about->cmdOK->isDefault());

    about->cmdOK->click();
    runDeferredDeletes();
    EXPECT_TRUE(about.isNull());

    form->vermenuClick();
    about = form->aboutWindow;
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(about, &escape);
    runDeferredDeletes();
    EXPECT_TRUE(about.isNull());
}

TEST_F(SideWindowTest, SystemInformationButtonStartsTheToolOrSaysItCannot)
{
    form->vermenuClick();
    form->aboutWindow->cmdSysInfo->click();
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません")});

    host.messages.clear();
    host.tools.setString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", "C:\\m.exe");
    form->aboutWindow->cmdSysInfo->click();
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(host.tools.started, QStringList{QStringLiteral("C:\\m.exe")});
}
