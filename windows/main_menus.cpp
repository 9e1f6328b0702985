// Form1's menu bar.

#include "windows/main_window.h"

#include "windows/help_window.h"
#include "windows/side_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>

namespace {

// Pressing and releasing Alt puts the menu bar into keyboard mode, where the
// menu's letter opens it, as players of older desktop games expect. Each
// menu's letter is its own: no control of the stage shares it.
class AltNavigationStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void Form1::buildMenus()
{
    QMenuBar *bar = menuBar();
    auto *style = new AltNavigationStyle(bar->style()->name());
    style->setParent(this);
    bar->setStyle(style);

    filemenu = bar->addMenu(QStringLiteral("ファイル(&F)"));
    filemenu->setObjectName(QStringLiteral("filemenu"));
    newmenu = filemenu->addAction(QStringLiteral("新規(&N)"), this, [this] {
        leaveGame([this] {
            game_.NewGame();
            focusEntryIfOpen();
            return true;
        });
    });
    opnmenu = filemenu->addAction(QStringLiteral("開く(&O)"), this, &Form1::opnmenuClick);
    asavemenu = filemenu->addAction(QStringLiteral("上書き保存(&V)"), this, [this] {
        if (mayAddToCurrentFile())
            game_.asavemenuClick();
    });
    savemenu = filemenu->addAction(QStringLiteral("名前をつけて保存(&E)"), this, &Form1::savemenuClick);
    filemenu->addSeparator();
    // The same way out as the button, through the same question.
    quitmenu = filemenu->addAction(QStringLiteral("終了(&X)"), cmdSyuryo, &QPushButton::click);

    infomenu = bar->addMenu(QStringLiteral("情報(&J)"));
    infomenu->setObjectName(QStringLiteral("infomenu"));
    statusmenu = infomenu->addAction(QStringLiteral("ステータス(&S)"), this, &Form1::statusmenuClick);

    helpmenu = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    helpmenu->setObjectName(QStringLiteral("helpmenu"));
    howtomenu = helpmenu->addAction(QStringLiteral("遊び方(&A)"), this, &Form1::howtomenuClick);
    vermenu = helpmenu->addAction(QStringLiteral("バージョン情報(&V)"), this, &Form1::vermenuClick);

    newmenu->setObjectName(QStringLiteral("newmenu"));
    opnmenu->setObjectName(QStringLiteral("opnmenu"));
    asavemenu->setObjectName(QStringLiteral("asavemenu"));
    savemenu->setObjectName(QStringLiteral("savemenu"));
    statusmenu->setObjectName(QStringLiteral("statusmenu"));
    vermenu->setObjectName(QStringLiteral("vermenu"));
    howtomenu->setObjectName(QStringLiteral("howtomenu"));
    quitmenu->setObjectName(QStringLiteral("quitmenu"));

    // The keys every desktop uses for these. None is an editing key of the
    // entry box, which keeps Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z.
    newmenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    opnmenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    asavemenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    savemenu->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    quitmenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    howtomenu->setShortcut(QKeySequence(Qt::Key_F1));
}

void Form1::howtomenuClick()
{
    openOrRaise(helpWindow, [this] { return new HelpWindow(this); });
}
