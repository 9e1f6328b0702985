#pragma once
// StatusWindow, "ステータス": the names, the level, the title and the period dates
// of the game, as they were when the window opened.

#include <QWidget>

class Game;
class QLineEdit;

class StatusWindow : public QWidget {
    Q_OBJECT
public:
    StatusWindow(const Game &game, QWidget *parent);

    QLineEdit *playerNameBox = nullptr;
    QLineEdit *characterNameBox = nullptr;
    QLineEdit *levelBox = nullptr;
    QLineEdit *titleBox = nullptr;
    QLineEdit *startDateBox = nullptr;
    QLineEdit *endDateBox = nullptr;

protected:
    // Esc closes the window, as it closes the version window.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void load(const Game &game);
};
