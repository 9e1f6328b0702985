#include "form_fixture.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QTest>

#include <algorithm>

TEST_F(StageTest, EndButtonAndClosingEitherWindowEndTheProgram)
{
    form->cmdSyuryo->click();
    form->close();
    form->Ending();
    form->endingWindow->close();
    EXPECT_EQ(host.exits, 3);
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
    QTest::keyClicks(form->txtNyuryoku, QStringLiteral("abc"));
    QTest::keyClick(form->txtNyuryoku, Qt::Key_Return);
    EXPECT_EQ(form->lblMessage->text(), u"おまえのなまえは？") << "Enter confirms nothing";
    form->txtNyuryoku->clear();

    // Alt alone, then a letter, opens the menu instead of typing the letter.
    QTest::keyPress(form.get(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(form.get(), Qt::Key_Alt);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I);
    EXPECT_TRUE(form->infomenu->isVisible());
    EXPECT_TRUE(form->txtNyuryoku->text().isEmpty());
    form->infomenu->close();

    // A button's access key presses it (the click follows on a short timer).
    for (QPushButton *button : {form->cmdKakunin, form->cmdModoru, form->cmdSyuryo}) {
        const QChar key = button->text().at(button->text().indexOf(u'&') + 1);
        QTest::keyClick(form.get(), key.toLatin1(), Qt::AltModifier);
        EXPECT_TRUE(button->isDown()) << qPrintable(button->text());
    }
}

// The unseeded engine draws a fixed sequence: no real random draw.
TEST(DesktopHostTest, DrawsSpreadOverZeroToOneNeverReachingOne)
{
    DesktopHost host;
    double low = 1, high = 0, sum = 0;
    constexpr int kDraws = 1000;
    for (int k = 0; k < kDraws; ++k) {
        const double x = host.nextRandom();
        low = std::min(low, x);
        high = std::max(high, x);
        sum += x;
    }
    EXPECT_GE(low, 0.0);
    EXPECT_LT(low, 0.01);
    EXPECT_LT(high, 1.0);
    EXPECT_GT(high, 0.99);
    EXPECT_NEAR(sum / kDraws, 0.5, 0.05);
}

// A text too wide for its room is shown in a smaller font, by half points
// down to four fifths of the size, and never smaller.
TEST(FitFont, ShrinksToFitDownToFourFifths)
{
    const QString text = QStringLiteral("2026/12/06");
    QFont base;
    base.setPointSizeF(10);
    const int wide = QFontMetrics(base).horizontalAdvance(text);
    const std::pair<int, bool> cases[] = {{wide, false}, {wide - 1, true}, {0, false}};
    for (const auto &[room, shrinks] : cases) {
        QLabel box;
        box.setFont(base);
        fitFont(&box, text, room);
        const qreal size = box.font().pointSizeF();
        EXPECT_EQ(size < 10, shrinks) << room << ": " << size;
        EXPECT_GE(size, 8) << room;
        if (shrinks) {
            EXPECT_LE(QFontMetrics(box.font()).horizontalAdvance(text), room);
        }
    }
}
