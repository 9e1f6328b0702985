#pragma once
// HelpWindow, "遊び方": how the game is played, read-only, from the text
// built into the program.

#include <QDialog>

class QTextBrowser;

// A dialog only for Esc, which closes it. It is shown modeless.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent);

    QTextBrowser *page = nullptr;
};
