// The stage's menu bar.

#include "windows/main_window.h"

#include "windows/file_controller.h"
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

void StageWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    auto *style = new AltNavigationStyle(bar->style()->name());
    style->setParent(this);
    bar->setStyle(style);

    fileMenu = bar->addMenu(QStringLiteral("ファイル(&F)"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    newAction = fileMenu->addAction(QStringLiteral("新規(&N)"), this, [this] {
        files_->leaveGame([this] {
            game_.newGame();
            focusEntryIfOpen();
            return true;
        });
    });
    openAction = fileMenu->addAction(QStringLiteral("開く(&O)"), this, &StageWindow::chooseGameToOpen);
    saveAction = fileMenu->addAction(QStringLiteral("上書き保存(&V)"), files_, &FileController::save);
    saveAsAction = fileMenu->addAction(QStringLiteral("名前をつけて保存(&E)"), this, &StageWindow::chooseFileToSaveAs);
    fileMenu->addSeparator();
    // The same way out as the button, through the same question.
    quitAction = fileMenu->addAction(QStringLiteral("終了(&X)"), quitButton, &QPushButton::click);

    infoMenu = bar->addMenu(QStringLiteral("情報(&J)"));
    infoMenu->setObjectName(QStringLiteral("infoMenu"));
    statusAction = infoMenu->addAction(QStringLiteral("ステータス(&S)"), this, &StageWindow::showStatus);

    helpMenu = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    howToPlayAction = helpMenu->addAction(QStringLiteral("遊び方(&A)"), this, &StageWindow::showHowToPlay);
    aboutAction = helpMenu->addAction(QStringLiteral("バージョン情報(&V)"), this, &StageWindow::showAbout);

    newAction->setObjectName(QStringLiteral("newAction"));
    openAction->setObjectName(QStringLiteral("openAction"));
    saveAction->setObjectName(QStringLiteral("saveAction"));
    saveAsAction->setObjectName(QStringLiteral("saveAsAction"));
    statusAction->setObjectName(QStringLiteral("statusAction"));
    aboutAction->setObjectName(QStringLiteral("aboutAction"));
    howToPlayAction->setObjectName(QStringLiteral("howToPlayAction"));
    quitAction->setObjectName(QStringLiteral("quitAction"));

    // The keys every desktop uses for these. None is an editing key of the
    // entry box, which keeps Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z.
    newAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    howToPlayAction->setShortcut(QKeySequence(Qt::Key_F1));
}

void StageWindow::showHowToPlay()
{
    openOrRaise(helpWindow, [this] { return new HelpWindow(this); });
}
