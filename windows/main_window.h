#pragma once
// StageWindow, the stage of the game: the character, its balloon, the answer
// choices, the word entry, the buttons and the menus. A view of the Game: it
// forwards clicks, keys, menu actions and timer ticks, and shows what the
// game then holds.

#include "engine/game.h"
#include "windows/frames.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class AboutWindow;
class Balloon;
class ChoiceGroup;
class ChoiceLabel;
class FaceView;
class FarewellWindow;
class FileController;
class FileWindow;
class HelpWindow;
class Host;
class SpeechLabel;
class StatusWindow;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

class StageWindow : public QMainWindow {
    Q_OBJECT
public:
    StageWindow(Host &host, Game &game, QWidget *parent = nullptr);
    ~StageWindow() override;

    const Game &game() const { return game_; }
    // The questions before the game in hand is left, and the file window.
    FileController &files() { return *files_; }
    FileWindow *fileWindow() const;

    // Shows what the game holds now.
    void refresh();

    // --- menu actions
    void chooseGameToOpen();
    void chooseFileToSaveAs();
    void showStatus();
    void showAbout();
    void showHowToPlay();

    QLabel *wordLabel = nullptr; // 単語入力(&I)
    QLineEdit *wordEntry = nullptr;
    QPushButton *confirmButton = nullptr; // 確認(&A)
    QPushButton *backButton = nullptr;    // 戻る(&R)
    QPushButton *quitButton = nullptr;    // 終了(&X)
    Balloon *balloon = nullptr;
    SpeechLabel *speech = nullptr;
    std::array<ChoiceLabel *, 4> answerLabels{};
    ChoiceGroup *answers = nullptr;
    FaceView *face = nullptr;

    QMenu *fileMenu = nullptr;
    QAction *newAction = nullptr;
    QAction *openAction = nullptr;
    QAction *saveAction = nullptr;   // 上書き保存
    QAction *saveAsAction = nullptr; // 名前をつけて保存
    QAction *quitAction = nullptr;
    QMenu *infoMenu = nullptr;
    QAction *statusAction = nullptr;
    QMenu *helpMenu = nullptr;
    QAction *howToPlayAction = nullptr;
    QAction *aboutAction = nullptr;

    QTimer *remarkTimer = nullptr;
    QTimer *answerBlinkTimer = nullptr;

    const FrameStore frames;

    // The side windows while they are open.
    QPointer<StatusWindow> statusWindow;
    QPointer<FarewellWindow> farewellWindow;
    QPointer<AboutWindow> aboutWindow;
    QPointer<HelpWindow> helpWindow;

protected:
    void closeEvent(QCloseEvent *event) override;
    // Keys 1 to 4 pick an answer as a click on its label would.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildMenus();
    // The period is over: the farewell scene takes the stage's place.
    void showFarewell();
    void showMessage(const QString &text);
    void pick(int k);
    // Whoever plays by keyboard types on without reaching for the entry box.
    void focusEntryIfOpen();
    // After a question the focus is on its answers, so that a screen reader
    // reads the answer in hand; otherwise in the entry box.
    void focusAnswersOrEntry();
    // Leaving the game by ending the program.
    bool quit();

    Host &host_;
    Game &game_;
    FileController *files_ = nullptr;
};
