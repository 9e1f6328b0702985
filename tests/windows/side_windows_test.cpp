#include "form_fixture.h"

#include "windows/about_window.h"
#include "windows/status_window.h"

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
    EXPECT_EQ(QStringList({window->txtYourName->text(), window->txtCharaName->text(), window->txtLevel->text(),
                           window->txtJob->text(), window->txtStartDate->text(), window->txtEndDate->text()}),
              QStringList({"ハナコ", "ミスター・トルマリン", "20", "アングラの帝王で幼稚園児", "2026/12/06", "2026/12/20"}));

    form->Level = 101;
    form->statusmenuClick();
    EXPECT_EQ(form->statusWindow, window);
    EXPECT_EQ(window->txtLevel->text(), u"20") << "an open window keeps what it showed";

    window->close();
    settle();
    EXPECT_TRUE(window.isNull());
    form->statusmenuClick();
    ASSERT_TRUE(form->statusWindow);
    EXPECT_EQ(form->statusWindow->txtLevel->text(), u"101");
}

TEST_F(SideWindowTest, EndingScriptClicksThroughToTheFarewell)
{
    form->YourName = QStringLiteral("ハナコ");
    form->show();
    form->Ending();
    Form4 *ending = form->endingWindow;
    ASSERT_TRUE(ending);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(ending->isVisible());
    EXPECT_EQ(ending->lblMessage->text(), u"・・・・・。");
    EXPECT_FALSE(ending->tmrTalk->isActive());
    // The eyes hold their look-alike picture: the first blink tick only opens them.
    ending->tmrAnimeTick();
    EXPECT_TRUE(ending->imgEye->shows(form->frames.img01));
    EXPECT_FALSE(ending->tmrAnime->isActive());

    form->YourName = QStringLiteral("changed later"); // the scene keeps its copy
    ending->cmdNext->click();
    EXPECT_EQ(ending->lblMessage->text(), u"ハナコ、元気か？");
    // The mouth starts from its design picture: the first tick closes it.
    ending->tmrTalkTick();
    EXPECT_TRUE(ending->imgKuchi->shows(form->frames.img04));
    ending->tmrTalkTick();
    EXPECT_TRUE(ending->imgKuchi->shows(form->frames.img05));
    for (int tick = 2; tick < 12; ++tick)
        ending->tmrTalkTick();
    EXPECT_TRUE(ending->imgKuchi->shows(form->frames.img04));
    EXPECT_FALSE(ending->tmrTalk->isActive());

    int line = 0;
    auto next = [&] {
        ++line;
        ending->cmdNext->click();
        EXPECT_EQ(ending->tmrTalk->isActive(), ending->lblMessage->text() != u"・・・・・") << "line " << line;
    };
    while (line < 5)
        next();
    ending->tmrTalkTick();
    ASSERT_TRUE(ending->imgKuchi->shows(form->frames.img05));
    next(); // line 6 is silent: the mouth stays as it is
    EXPECT_TRUE(ending->imgKuchi->shows(form->frames.img05));
    while (line < 26)
        next();
    EXPECT_EQ(ending->lblMessage->text(), u"今までありがとう。");
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(host.exits, 0);

    ending->cmdNext->click();
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("ばいばい。")});
    EXPECT_EQ(host.exits, 1);
}

// Near the end of the memory a new period's records never go past its last slot.
TEST_F(SideWindowTest, AfterEndNeverWritesPastTheLastSlot)
{
    for (const Int16 start : {Int16(100), Int16(101)}) {
        SCOPED_TRACE(start);
        form->i = start;
        form->Level = start;
        form->NewData[100] = {};
        form->AfterEnd();
        EXPECT_EQ(std::pair(form->i, form->Level), (std::pair<Int16, Int16>(101, 101)));
        EXPECT_EQ(form->NewData[100].Kind, start == 100 ? std::optional(QStringLiteral("8")) : std::nullopt);
    }
}

TEST_F(SideWindowTest, VersionWindowOpensOnceStartsTheSystemToolAndCloses)
{
    form->vermenuClick();
    QPointer<frmAbout> about = form->aboutWindow;
    ASSERT_TRUE(about);
    form->vermenuClick();
    EXPECT_EQ(form->aboutWindow, about);
    about->cmdSysInfo->click();
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません")});
    host.tools.setString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", "C:\\m.exe");
    about->cmdSysInfo->click();
    EXPECT_EQ(host.messages.size(), 1) << "no message when the tool starts";
    EXPECT_EQ(host.tools.started, QStringList{QStringLiteral("C:\\m.exe")});

    about->cmdOK->click();
    settle();
    EXPECT_TRUE(about.isNull());
}
