#pragma once
// Form2, "ステータス": the names, the level, the title and the period dates
// of the game, as they were when the window opened.

#include <QWidget>

class Game;
class QLabel;
class QLineEdit;

class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2(const Game &game, QWidget *parent);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *txtYourName = nullptr;
    QLineEdit *txtCharaName = nullptr;
    QLineEdit *txtLevel = nullptr;
    QLineEdit *txtJob = nullptr;
    QLineEdit *txtStartDate = nullptr;
    QLineEdit *txtEndDate = nullptr;

protected:
    // Esc closes the window, as it closes the version window.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void load(const Game &game);
};
