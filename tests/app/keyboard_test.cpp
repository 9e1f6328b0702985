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
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString s(const char *utf8) { return QString::fromUtf8(utf8); }

class KeyboardTest : public StageTest {
protected:
    QTemporaryDir dir;

    void SetUp() override
    {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    static QWidget *target()
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            return popup;
        QWidget *focus = QApplication::focusWidget();
        return focus ? focus : QApplication::activeWindow();
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *w = target();
        ASSERT_TRUE(w);
        QTest::keyClick(w, k, modifiers);
    }
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
    // From the entry box: Tab to 確認(&A), Space presses it.
    static void confirmFromEntry()
    {
        key(Qt::Key_Tab);
        key(Qt::Key_Space);
    }
    void answer(char digit)
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
    type("Taro");
    confirmFromEntry();
    EXPECT_EQ(form->YourName, u"Taro");
    EXPECT_TRUE(form->txtNyuryoku->hasFocus()) << "back in the entry box after the exchange";

    struct Word {
        const char *text;
        const char *answers; // the digits pressed, one per question
        WordRecord stored;
    };
    const Word words[] = {
        // Digits typed into the entry box are the word's, never an answer.
        {"r2d2", "12112", {s("r2d2"), s("1"), s("2"), s("1"), s("1"), s("2")}},
        {"Tokyo", "23222", {s("Tokyo"), s("2"), s("3"), s("2"), s("2"), s("2")}},
        {"hello", "3111", {s("hello"), s("3"), QString(), s("1"), s("1"), s("1")}},
        {"carpe diem", "4312", {s("carpe diem"), s("4"), QString(), s("3"), s("1"), s("2")}},
    };
    for (const Word &word : words) {
        SCOPED_TRACE(word.text);
        type(word.text);
        EXPECT_EQ(form->txtNyuryoku->text(), QString::fromLatin1(word.text));
        confirmFromEntry();
        ASSERT_EQ(form->Step, 1);
        for (const char *digit = word.answers; *digit; ++digit)
            answer(*digit);
        EXPECT_EQ(form->NewData[form->i - 1], word.stored);
        EXPECT_TRUE(form->txtNyuryoku->hasFocus());
    }
    EXPECT_EQ(std::tuple(form->Level, form->ELevel, form->DLevel), std::tuple(7, 1, 1));

    // A disabled answer takes no key; 戻る(&R) is one Tab beyond 確認(&A).
    type("kiwi");
    confirmFromEntry();
    answer('1');
    answer('3');
    QTest::keyClick(target(), '4');
    EXPECT_EQ(form->Choice, 0) << "the liking question has three answers";
    key(Qt::Key_Tab);
    key(Qt::Key_Space);
    EXPECT_EQ(form->Step, 2);
    EXPECT_EQ(form->lblSentaku[2]->text(), u"たべもの");
    key(Qt::Key_Backtab);
    answer('2');
    EXPECT_EQ(form->Step, 3);
    for (char digit : {'1', '1', '2'})
        answer(digit);
    EXPECT_EQ(form->NewData[form->i - 1], (WordRecord{s("kiwi"), s("1"), s("2"), s("1"), s("1"), s("2")}));

    // Save as: the name box has the focus; Tab past the lists to 保存(&S).
    menu('F', 'E');
    waitActive(form->fileWindow);
    form->fileWindow->changeFolder(dir.path()); // the folder a user would browse to
    type("game");
    for (int n = 0; n < 4; ++n)
        key(Qt::Key_Tab);
    key(Qt::Key_Space);
    settle();
    const QString saved = QDir::toNativeSeparators(dir.filePath(QStringLiteral("game.egg")));
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(host.messages.value(0), u"名前を付けて保存しました。");

    // Open: in the file list, a key names the file and Enter opens it.
    QFile other(dir.filePath(QStringLiteral("a.egg")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
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
    EXPECT_EQ(form->FileName, saved);
    key(Qt::Key_Return);
    settle();
    EXPECT_FALSE(form->fileWindow);
    EXPECT_EQ(host.messages.value(1), u"ファイルを開きました。");
    EXPECT_EQ(std::tuple(form->DataMax, form->Level), std::tuple(8, 8));
    waitActive(form.get());
    EXPECT_TRUE(form->txtNyuryoku->hasFocus() && form->txtNyuryoku->text().isEmpty());

    // Status and version windows open from the menus and close with Esc.
    menu('I', 'S');
    waitActive(form->statusWindow);
    EXPECT_EQ(form->statusWindow->txtLevel->text(), u"8");
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
