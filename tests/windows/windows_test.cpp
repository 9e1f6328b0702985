// What the windows do themselves: the controls the transcripts do not reach,
// the keyboard, what a screen reader is told, the file window and the layout.

#include "fake_environment.h"
#include "fake_host.h"
#include "test_files.h"
#include "windows/about_window.h"
#include "windows/face_view.h"
#include "windows/farewell_window.h"
#include "windows/file_window.h"
#include "windows/help_window.h"
#include "windows/main_window.h"
#include "windows/stage_widgets.h"
#include "windows/status_window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

class WindowsTest : public ::testing::Test {
protected:
    FakeEnvironment environment;
    Game game{environment};
    FakeHost host;
    StageWindow form{host, game};
    QTemporaryDir dir;

    // Every window of the game, open at once.
    QList<QWidget *> everyWindow()
    {
        form.show(); // and so framed, where the platform draws frames
        enter(QStringLiteral("Taro"));
        form.statusAction->trigger();
        form.aboutAction->trigger();
        form.howToPlayAction->trigger();
        form.saveAsAction->trigger();
        put(dir.filePath(QStringLiteral("end.egg")), "\"2026/12/06\",\"7\",,,,\r\n");
        game.open(dir.filePath(QStringLiteral("end.egg")));
        for (int line = 0; line < 14; ++line) // to the scene's longest line
            form.farewellWindow->nextButton->click();
        return {&form, form.statusWindow, form.aboutWindow, form.fileWindow(), form.farewellWindow, form.helpWindow};
    }
    static QAccessibleInterface *of(QObject *object) { return QAccessible::queryAccessibleInterface(object); }
    void enter(const QString &text)
    {
        QTest::keyClicks(form.wordEntry, text);
        form.confirmButton->click();
    }
};

// What a screen reader is told: the sentence, each answer with its place,
// (each menu item's key windows.txt pins);
// the help page, which names the same keys, is read-only.
TEST_F(WindowsTest, WhatAScreenReaderIsTold)
{
    form.show();
    enter(QStringLiteral("Taro"));
    EXPECT_EQ(of(form.speech)->role(), QAccessible::Notification);
    EXPECT_EQ(of(form.speech)->text(QAccessible::Name), u"そうか、おまえのなまえはTaroなんだな。");
    enter(QStringLiteral("apple"));
    QTest::mouseClick(form.answerLabels[0], Qt::LeftButton);
    for (int k = 0; k < 4; ++k) {
        QAccessibleInterface *choice = of(form.answerLabels[k]);
        EXPECT_EQ(choice->role(), QAccessible::RadioButton);
        EXPECT_EQ(choice->text(QAccessible::Name), form.answerLabels[k]->text());
        EXPECT_EQ(choice->state().checked, k == 0) << k;
    }
    // Pressing a choice through the screen reader is a click.
    of(form.answerLabels[3])->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(game.state().picked, 4);
    EXPECT_TRUE(of(form.answerLabels[3])->state().checked);
    EXPECT_TRUE(of(form.answerLabels[3])->state().focusable);
    EXPECT_EQ(of(form.answerLabels[3])->parent()->childCount(), 4) << "counted among themselves: 4 of 4";
    form.confirmButton->click();
    QAccessibleInterface *group = of(form.answerLabels[2])->parent();
    EXPECT_EQ(group->childCount(), 3) << "a question of three answers: 3 of 3";
    EXPECT_EQ(std::tuple(group->child(0), group->child(2), group->child(3)),
              std::tuple(of(form.answerLabels[0]), of(form.answerLabels[2]), nullptr));
    EXPECT_EQ(group->indexOfChild(of(form.answerLabels[2])), 2);
    EXPECT_FALSE(of(form.speech)->state().disabled);
    form.howToPlayAction->trigger();
    EXPECT_TRUE(of(form.helpWindow->page)->state().readOnly);
    EXPECT_FALSE(form.helpWindow->isModal()) << "the game goes on beside the help";
    for (QAction *item : form.findChildren<QAction *>()) {
        const QString key = item->shortcut().toString(QKeySequence::NativeText);
        EXPECT_TRUE(form.helpWindow->page->toPlainText().contains(key)) << "遊び方 names " << key.toStdString();
    }
}

// What file-window.stage cannot show, the folder list depending on where the
// scratch folder lies: it marks the open folder and shows the open branch; a
// mounted volume, as the desktop lists one, starts it at its root, and coming
// back to the first drive finds the folder it was left in.
TEST_F(WindowsTest, TheFileWindowsFoldersAndDrives)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    form.openAction->trigger();
    FileWindow *w = form.fileWindow();
    w->changeFolder(dir.path());
    EXPECT_TRUE(dir.path().endsWith(w->folders->currentItem()->text().trimmed()));
    w->folders->setCurrentItem(w->folders->findItems(QStringLiteral("sub"), Qt::MatchEndsWith).value(0));
    QTest::keyClick(w->folders, Qt::Key_Return);
    EXPECT_EQ(w->folder(), dir.filePath(QStringLiteral("sub")));
    const int depth = int(dir.path().count(u'/')) + 1;
    EXPECT_EQ(w->folders->item(depth)->text(), QString(2 * depth, u' ') + QStringLiteral("sub"));
    const QString volume = dir.path() + u'/';
    w->drives->addItem(volume, volume);
    w->drives->setCurrentIndex(1);
    EXPECT_EQ(w->folders->item(0)->text(), volume);
    w->drives->setCurrentIndex(0);
    EXPECT_EQ(w->folder(), dir.filePath(QStringLiteral("sub")));
}

// What the layout tables do not hold, pinned as data: the stage's menus, the
// names a screen reader gives the character's pictures, the boxes shown.
void expectMenusNamesAndBoxes(StageWindow &stage, const QList<QWidget *> &windows, FakeHost &host)
{
    QStringList lines;
    for (QWidget *window : windows) {
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (w->window() == window && !w->accessibleName().isEmpty())
                lines << window->objectName() + u' ' + w->objectName() + QStringLiteral(" named \"")
                             + w->accessibleName() + u'"';
        }
    }
    for (QAction *title : stage.menuBar()->actions()) {
        lines << title->menu()->objectName() + QStringLiteral(" \"") + title->text() + u'"';
        // Each item with the key a screen reader names with it.
        QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(title->menu());
        for (QAction *item : title->menu()->actions()) {
            const QString key =
                menu->child(int(title->menu()->actions().indexOf(item)))->text(QAccessible::Accelerator);
            if (!item->isSeparator())
                lines << QStringLiteral("  ") + item->objectName() + QStringLiteral(" \"") + item->text()
                             + QStringLiteral("\" ") + key;
        }
    }
    stage.aboutWindow->systemInfoButton->click();
    lines << QStringLiteral("box ") + host.messages.join(QStringLiteral(" / "));
    expectGoldenText(QStringLiteral(NANAIRO_TEST_DATA "/windows.txt"), lines.join(u'\n') + u'\n');
}

// The bounding box of what differs between two pictures of one size.
QRect inkBetween(const QImage &a, const QImage &b)
{
    QRect ink;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// A box's text shows whole: its ink spans as many pixels as in the same box
// with room to spare.
void expectWholeIn(QLineEdit *box)
{
    const QString text = box->text();
    const QSize size = box->size();
    const int cursor = box->cursorPosition();
    const auto inkIn = [&](QSize room) {
        box->resize(room);
        const QImage shown = box->grab().toImage();
        box->setText(QString());
        const QImage blank = box->grab().toImage();
        box->setText(text);
        return inkBetween(shown, blank).size();
    };
    const QSize whole = inkIn({box->fontMetrics().horizontalAdvance(text) * 2 + 40, size.height() * 3});
    const QSize ink = inkIn(size);
    box->setCursorPosition(cursor);
    // Antialiasing may tint a pixel more or less at either edge.
    const int ratio = int(box->devicePixelRatio());
    EXPECT_TRUE(ink.width() >= whole.width() - ratio && ink.height() >= whole.height() - ratio)
        << box->objectName().toStdString() << " clips " << text.toStdString() << ": " << ink.width() << "x"
        << ink.height() << " pixels of " << whole.width() << "x" << whole.height();
}

// Every window's controls lie inside it, nothing overlaps but what the
// balloon and the body hold, every caption fits unclipped, and no access key
// is used twice in a window or its menu bar.
TEST_F(WindowsTest, LayoutInvariants)
{
    const QList<QWidget *> windows = everyWindow();
    expectMenusNamesAndBoxes(form, windows, host);
    const auto once = [](QSet<QChar> &keys, const QString &caption) {
        if (const qsizetype amp = caption.indexOf(u'&'); amp >= 0) {
            EXPECT_FALSE(keys.contains(caption[amp + 1].toUpper()))
                << "access key used twice: " << caption.toStdString();
            keys.insert(caption[amp + 1].toUpper());
        }
    };
    for (QWidget *window : windows) {
        ASSERT_TRUE(window);
        SCOPED_TRACE(window->objectName().toStdString());
        QWidget *client = window == &form ? form.centralWidget() : window;
        EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry())) << "off the screen";
        // Hidden controls too; what hides takes turns with what shows.
        // The answers count one by one, where they stand in the window.
        QList<QWidget *> controls;
        for (QWidget *w : client->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (w->inherits("ChoiceGroup"))
                controls << w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
            else
                controls << w;
        }
        const auto place = [client](QWidget *w) { return QRect(w->mapTo(client, QPoint()), w->size()); };
        const auto shown = [](QWidget *w) { return !w->isHidden() || w->inherits("ChoiceLabel"); };
        QSet<QChar> keys;
        for (QWidget *w : controls) {
            const QString name = w->objectName();
            EXPECT_TRUE(client->rect().contains(place(w))) << name.toStdString() << " lies outside";
            for (QWidget *other : controls) {
                const bool holds = other->inherits("Balloon") || other->objectName() == u"body";
                // Twips rounded down to pixels may touch by one pixel.
                const QRect shared = place(w) & place(other);
                if (other != w && !holds && !w->inherits("Balloon") && name != u"body" && shown(w) && shown(other)) {
                    EXPECT_FALSE(shared.width() > 1 && shared.height() > 1)
                        << name.toStdString() << " overlaps " << other->objectName().toStdString();
                }
            }
            if (auto *box = qobject_cast<QLineEdit *>(w); box && !box->text().isEmpty())
                expectWholeIn(box);
            const QString caption = w->property("text").toString();
            if (!caption.isEmpty() && !qobject_cast<QLineEdit *>(w)) {
                const QString text = QString(caption).remove(u'&');
                const auto *label = qobject_cast<QLabel *>(w);
                // A name or word with markup in it shows as typed.
                EXPECT_TRUE(!label || label->textFormat() == Qt::PlainText) << name.toStdString();
                const QSize room = label ? label->contentsRect().size() : w->size() - QSize(6, 4);
                // The text's advance and its ink, not the line's leading, have to fit.
                const QRect needed = label && label->wordWrap()
                                         ? w->fontMetrics().boundingRect(QRect(QPoint(), room), Qt::TextWordWrap, text)
                                         : QRect(0, 0, w->fontMetrics().horizontalAdvance(text),
                                                 w->fontMetrics().tightBoundingRect(text).height());
                EXPECT_TRUE(needed.width() <= room.width() && needed.height() <= room.height())
                    << name.toStdString() << " clips " << text.toStdString() << ": " << needed.width() << "x"
                    << needed.height() << " in " << room.width() << "x" << room.height();
                once(keys, caption);
            }
        }
        // Alt reaches the menu bar's letters as it reaches the controls';
        // each menu's items have letters of their own.
        if (auto *stage = qobject_cast<QMainWindow *>(window)) {
            for (QAction *title : stage->menuBar()->actions()) {
                once(keys, title->text());
                QSet<QChar> items;
                for (QAction *item : title->menu()->actions())
                    once(items, item->text());
            }
        }
    }
}

// The shapes and colours the stage draws itself, and the pictures at the
// screen's density.
TEST_F(WindowsTest, ShapesColoursAndPictures)
{
    // The balloon: a one-pixel outline, corners rounded with a radius of 14
    // pixels, whose arc leaves (7, 3) inside.
    const QImage balloon = form.balloon->grab().toImage();
    const QPalette colours = form.balloon->palette();
    const int right = balloon.width() - 1, bottom = balloon.height() - 1, d = int(balloon.devicePixelRatio());
    const std::tuple<int, int, QPalette::ColorRole> spots[] = {
        {right / 2, 0, QPalette::WindowText},    {0, bottom / 2, QPalette::WindowText},
        {right / 2, bottom / 2, QPalette::Base}, {7 * d, 3 * d, QPalette::Base},
        {3 * d, 7 * d, QPalette::Base},          {0, 0, QPalette::Window},
    };
    for (const auto &[x, y, role] : spots) {
        if (d == 1) { // drawn with more pixels, the arc's edge falls elsewhere
            EXPECT_EQ(balloon.pixelColor(x, y), colours.color(role)) << x << ", " << y;
        }
    }

    // A new game's mouth is the look-alike, which looks like the closed mouth.
    EXPECT_EQ(form.face->mouth->pixmap().toImage(), form.frames.picture(Frame::MouthClosed).toImage());

    // A lit answer is highlighted, its caption in the highlighted text's colour.
    enter(QStringLiteral("Taro"));
    enter(QStringLiteral("apple"));
    QTest::mouseClick(form.answerLabels[0], Qt::LeftButton);
    const QImage lit = form.answerLabels[0]->grab().toImage();
    QSet<QRgb> seen;
    for (int x = 0; x < lit.width(); ++x)
        seen.insert(lit.pixel(x, lit.height() / 2));
    EXPECT_TRUE(seen.contains(colours.color(QPalette::Highlight).rgb()));
    EXPECT_TRUE(seen.contains(colours.color(QPalette::HighlightedText).rgb()));
    EXPECT_EQ(form.face->body->frameWidth(), 2) << "the body's sunken border, which the face lies inside";

    // The version window's icon is the 1x picture on a 1x screen, the pictures
    // are drawn for the screen's density.
    form.aboutAction->trigger();
    const int density = qApp->devicePixelRatio() > 1.0 ? 2 : 1;
    if (density == 1) {
        EXPECT_EQ(form.aboutWindow->iconLabel->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
                  QImage(QStringLiteral(":/art/icon32.png")).convertToFormat(QImage::Format_ARGB32));
        // The separator: a grey line, and a white one a pixel lower and further right.
        const QImage line = form.aboutWindow->findChild<QWidget *>(QStringLiteral("separator"))->grab().toImage();
        EXPECT_EQ(
            std::tuple(line.pixelColor(0, 0), line.pixelColor(0, 1), line.pixelColor(1, 1), line.pixelColor(1, 2)),
            std::tuple(QColor(128, 128, 128), colours.color(QPalette::Window), QColor(Qt::white), QColor(Qt::white)));
    }
    EXPECT_EQ(form.frames.still.devicePixelRatio(), density);
}

} // namespace
