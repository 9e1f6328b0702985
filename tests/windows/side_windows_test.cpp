#include "form_fixture.h"

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

