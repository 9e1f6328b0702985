// A whole game played without a mouse: every key goes to whatever widget has
// the focus, as it would from a keyboard.

#include "form_fixture.h"
#include "persistence/file_window.h"
#include "windows/about_window.h"
#include "windows/status_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

QString s(const char *utf8) { return QString::fromUtf8(utf8); }

class KeyboardTest : public StageTest {
protected:
    QTemporaryDir dir;

    void SetUp() override
    {
        form->show();
        waitActive(form.get());
    }

    static QWidget *target()
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            return popup;
        QWidget *focus = QApplication::focusWidget();
        return focus ? focus : QApplication::activeWindow();
    }
    static void key(Qt::Key k) { QTest::keyClick(target(), k); }
    static void type(const char *text) { QTest::keyClicks(target(), QString::fromLatin1(text)); }
    // Alt alone puts the menu bar in keyboard mode; the letters open a menu
    // and choose an item.
    static void menu(char menuLetter, char itemLetter)
    {
        QTest::keyPress(target(), Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(target(), Qt::Key_Alt);
        QTest::keyClick(target(), menuLetter);
        QTest::keyClick(target(), itemLetter);
    }
    // Typed into the entry box, then Tab to 確認(&A) and Space presses it.
    static void enterWord(const char *text)
    {
        type(text);
        key(Qt::Key_Tab);
        key(Qt::Key_Space);
    }
    static void answer(char digit)
    {
        QTest::keyClick(target(), digit);
        key(Qt::Key_Space);
    }
    // The offscreen platform has no window manager: a closing menu hands
    // the activation back to the stage, where a desktop would leave it with
    // the window just opened. The test gives it where a desktop would.
    static void waitActive(QWidget *window)
    {
        ASSERT_TRUE(window);
        QCoreApplication::processEvents();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
};

TEST_F(KeyboardTest, AWholeGameWithoutAMouse)
{
    enterWord("Taro");
    EXPECT_EQ(form->YourName, u"Taro");
    EXPECT_TRUE(form->txtNyuryoku->hasFocus()) << "back in the entry box after the exchange";

    // Digits typed into the entry box are the word's, never an answer. A
    // disabled answer takes no key; 戻る(&R) is one Tab beyond 確認(&A).
    enterWord("r2d2");
    ASSERT_EQ(form->Step, 1);
    answer('1');
    answer('3');
    QTest::keyClick(target(), '4');
    EXPECT_EQ(form->Choice, 0) << "the liking question has three answers";
    key(Qt::Key_Tab);
    key(Qt::Key_Space);
    EXPECT_EQ(form->Step, 2);
    key(Qt::Key_Backtab);
    for (char digit : {'2', '1', '1', '2'})
        answer(digit);
    EXPECT_EQ(form->NewData[form->i - 1], (WordRecord{s("r2d2"), s("1"), s("2"), s("1"), s("1"), s("2")}));
    EXPECT_TRUE(form->txtNyuryoku->hasFocus());

    const std::pair<const char *, WordRecord> words[] = {
        {"23222", {s("Tokyo"), s("2"), s("3"), s("2"), s("2"), s("2")}},
        {"3111", {s("hello"), s("3"), QString(), s("1"), s("1"), s("1")}},
        {"4312", {s("carpe diem"), s("4"), QString(), s("3"), s("1"), s("2")}},
    };
    for (const auto &[answers, stored] : words) {
        SCOPED_TRACE(answers);
        enterWord(qPrintable(*stored.Text));
        for (const char *digit = answers; *digit; ++digit)
            answer(*digit);
        EXPECT_EQ(form->NewData[form->i - 1], stored);
        EXPECT_TRUE(form->txtNyuryoku->hasFocus());
    }

    // Save as: the name box has the focus; Tab past the lists to 保存(&S).
    menu('F', 'E');
    waitActive(form->fileWindow);
    form->fileWindow->changeFolder(dir.path()); // the folder a user would browse to
    type("game");
    for (int n = 0; n < 4; ++n)
        key(Qt::Key_Tab);
    key(Qt::Key_Space);
    settle();
    EXPECT_EQ(host.messages.value(0), u"名前を付けて保存しました。");

    // Open: in the file list, a key names the file and Enter opens it.
    ASSERT_TRUE(QFile(dir.filePath(QStringLiteral("a.egg"))).open(QIODevice::WriteOnly));
    waitActive(form.get());
    type("dropped");
    menu('F', 'O');
    waitActive(form->fileWindow);
    form->fileWindow->changeFolder(dir.path());
    for (int n = 0; n < 3; ++n)
        key(Qt::Key_Tab);
    ASSERT_TRUE(form->fileWindow->File1->hasFocus());
    EXPECT_EQ(form->fileWindow->txtFileName->text(), u"a.egg") << "the cursor's file is named";
    key(Qt::Key_Down);
    EXPECT_EQ(form->fileWindow->txtFileName->text(), u"game.egg") << "moving names the file";
    key(Qt::Key_Return);
    settle();
    EXPECT_FALSE(form->fileWindow);
    EXPECT_EQ(host.messages.value(1), u"ファイルを開きました。");
    EXPECT_EQ(form->DataMax, 7);
    waitActive(form.get());
    EXPECT_TRUE(form->txtNyuryoku->hasFocus() && form->txtNyuryoku->text().isEmpty());

    // Status and version windows open from the menus and close with Esc.
    menu('I', 'S');
    waitActive(form->statusWindow);
    key(Qt::Key_Escape);
    settle();
    EXPECT_FALSE(form->statusWindow);
    waitActive(form.get());
    menu('H', 'V');
    waitActive(form->aboutWindow);
    key(Qt::Key_Escape);
    settle();
    EXPECT_FALSE(form->aboutWindow);
}

} // namespace
