#include "app/stage_widgets.h"
#include "form_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
WordRecord dateRecord(const char *text, const QString &kind)
{
    return {QString::fromUtf8(text), kind, {}, {}, {}, {}};
}
} // namespace

TEST_F(StageTest, StartsAFreshPeriodAskingForTheName)
{
    EXPECT_EQ(host.seeds, 1);
    EXPECT_EQ(form->i, 2);
    EXPECT_EQ(form->Level, 2);
    EXPECT_EQ(form->DataMax, 0);
    EXPECT_EQ(form->Step, -1);
    EXPECT_EQ(form->LastRand, -1);
    EXPECT_EQ(form->TalkFrom, u"y");
    EXPECT_EQ(form->CharaName, u"ミスター・トルマリン");
    EXPECT_TRUE(form->FileName.isEmpty());
    EXPECT_EQ(form->NewData[0], dateRecord("2026/12/06", Code::StartDate));
    EXPECT_EQ(form->NewData[1], dateRecord("2026/12/20", Code::EndDate));

    EXPECT_EQ(form->lblMessage->text(), u"おまえのなまえは？");
    EXPECT_FALSE(form->statusmenu->isEnabled());
    EXPECT_FALSE(form->tmrTalk->isActive());
    EXPECT_FALSE(form->tmrMessage->isActive());
    EXPECT_TRUE(form->tmrTiming->isActive());
    EXPECT_TRUE(form->tmrAnime->isActive());
    EXPECT_FALSE(form->tmrAction->isActive());
    EXPECT_FALSE(form->tmrTenmetsu->isActive()) << "no interval yet: it must not tick";
    EXPECT_TRUE(form->imgChara->shows(form->frames.img000));
    EXPECT_TRUE(form->imgEye->shows(form->frames.img01));
    EXPECT_EQ(form->imgKuchi->shownFrame(), nullptr) << "the mouth keeps its design picture";
}

TEST_F(StageTest, NewGameDatesFollowTheCalendar)
{
    host.date = QDate(2026, 12, 20);
    form->NewGame();
    EXPECT_EQ(form->NewData[0], dateRecord("2026/12/20", Code::StartDate));
    EXPECT_EQ(form->NewData[1], dateRecord("2027/01/03", Code::EndDate));

    host.date = QDate(2028, 2, 20);
    form->NewGame();
    EXPECT_EQ(form->StartDate, u"2028/02/20");
    EXPECT_EQ(form->EndDate, u"2028/03/05");
    EXPECT_EQ(form->i, 2);
    EXPECT_EQ(host.seeds, 3) << "every new game reseeds from the clock";
}

TEST_F(StageTest, NewGameMidQuestionDropsEverythingAndReturnsToIdle)
{
    // A loaded, talking game with a word's questions on screen.
    form->YourName = QStringLiteral("たろう");
    form->FileName = QStringLiteral("/tmp/x.egg");
    form->DataMax = 40;
    form->i = 9;
    form->Level = 49;
    form->ELevel = 3;
    form->tmrTalk->start();
    form->statusmenu->setEnabled(true);
    form->Step = 3;
    form->Choice = 2;
    form->NewWord = QStringLiteral("りんご");
    form->Answer1 = QStringLiteral("1");
    form->txtNyuryoku->setText(QStringLiteral("りんご"));
    form->txtNyuryoku->setEnabled(false);
    for (ChoiceLabel *label : form->lblSentaku) {
        label->setText(QStringLiteral("すき"));
        label->setVisible(true);
        label->setEnabled(true);
    }
    form->lblSentaku[1]->setOpaque(true);

    form->NewGame();
    EXPECT_EQ(form->DataMax, 0);
    EXPECT_EQ(form->Level, 2);
    EXPECT_EQ(form->ELevel, 0);
    EXPECT_TRUE(form->FileName.isEmpty());
    EXPECT_EQ(form->YourName, u"たろう") << "kept until the name is answered again";
    EXPECT_FALSE(form->tmrTalk->isActive());
    EXPECT_FALSE(form->statusmenu->isEnabled());
    EXPECT_EQ(form->Step, -1);
    EXPECT_EQ(form->Choice, 0);
    EXPECT_TRUE(form->NewWord.isEmpty());
    EXPECT_TRUE(form->Answer1.isEmpty());
    EXPECT_TRUE(form->txtNyuryoku->isEnabled());
    EXPECT_TRUE(form->txtNyuryoku->text().isEmpty());
    for (ChoiceLabel *label : form->lblSentaku) {
        EXPECT_TRUE(label->text().isEmpty());
        EXPECT_FALSE(label->isEnabled());
        EXPECT_FALSE(label->isOpaque());
    }
}

TEST_F(StageTest, LayoutPutsTheFaceOnTheBodyAndHidesTheStore)
{
    EXPECT_EQ(form->centralWidget()->size(), QSize(399, 214));
    EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "fixed size";
    EXPECT_EQ(form->imgChara->geometry(), QRect(8, 56, 154, 154));
    EXPECT_EQ(form->imgEye->geometry().topLeft() - form->imgChara->pos(), QPoint(39, 29));
    EXPECT_EQ(form->imgKuchi->geometry().topLeft() - form->imgChara->pos(), QPoint(50, 59));
    EXPECT_EQ(form->imgEye->size(), form->frames.img01.size());
    EXPECT_EQ(form->imgKuchi->size(), form->frames.img04.size());
    for (ChoiceLabel *label : form->lblSentaku) {
        EXPECT_TRUE(label->isHidden());
        EXPECT_FALSE(label->isEnabled());
        EXPECT_FALSE(label->isOpaque());
    }
    for (QPushButton *button : {form->cmdKakunin, form->cmdModoru, form->cmdSyuryo})
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << "Enter confirms nothing";
    for (const char *name : {"Frame1", "Frame2", "Frame3"})
        EXPECT_GE(form->findChild<QWidget *>(QLatin1String(name))->y(), 214) << name;
}

TEST_F(StageTest, EndButtonAndClosingEndTheProgram)
{
    form->cmdSyuryo->click();
    EXPECT_EQ(host.exits, 1);
    form->close();
    EXPECT_EQ(host.exits, 2);
    EXPECT_TRUE(host.messages.isEmpty()) << "nothing is asked";
}

TEST_F(StageTest, KeyboardReachesTheControls)
{
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->cmdSyuryo->setFocus();

    QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
    EXPECT_TRUE(form->txtNyuryoku->hasFocus()) << "the entry box wins Alt+I over the menu";
    EXPECT_FALSE(form->infomenu->isVisible());

    // A button's access key presses it (the click follows on a short timer).
    for (QPushButton *button : {form->cmdKakunin, form->cmdModoru, form->cmdSyuryo}) {
        const QChar key = button->text().at(button->text().indexOf(u'&') + 1);
        QTest::keyClick(form.get(), key.toLatin1(), Qt::AltModifier);
        EXPECT_TRUE(button->isDown()) << qPrintable(button->text());
    }
}

TEST_F(StageTest, AltThenALetterOpensAMenu)
{
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->txtNyuryoku->setFocus();
    QTest::keyPress(form.get(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(form.get(), Qt::Key_Alt);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I);
    EXPECT_TRUE(form->infomenu->isVisible());
    EXPECT_TRUE(form->txtNyuryoku->text().isEmpty());
    form->infomenu->close();
}
