#pragma once
// Form1, the stage of the game: the character, its balloon, the answer
// choices, the word entry, the buttons and the menus. A view of the Game: it
// forwards clicks, keys, menu actions and timer ticks, and shows what the
// game then holds.

#include "engine/game.h"
#include "windows/frames.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class Host;
class Balloon;
class ChoiceLabel;
class FaceView;
class SpeechLabel;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class Form2;
class Form3;
class Form4;
class frmAbout;
class HelpWindow;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1(Host &host, Game &game, QWidget *parent = nullptr);
    ~Form1() override;

    Game &game() { return game_; }
    const Game &game() const { return game_; }
    Host &host() { return host_; }

    // Shows what the game holds now.
    void refresh();

    // --- menu actions
    void opnmenuClick();
    void savemenuClick();
    void statusmenuClick();
    void vermenuClick();
    void howtomenuClick();

    // Opens a saved game named from outside the windows (the command line).
    bool openSavedGame(const QString &fileName);
    // The same, once the player was asked about unsaved records it would drop.
    bool askAndOpen(const QString &fileName);
    // The file window's save: asks before it replaces another saved game.
    bool saveAs(const QString &fileName);

    // Controls, by their design names.
    QLabel *lblNyuryoku = nullptr;
    QLineEdit *txtNyuryoku = nullptr;
    QPushButton *cmdKakunin = nullptr;
    QPushButton *cmdModoru = nullptr;
    QPushButton *cmdSyuryo = nullptr;
    Balloon *Shape1 = nullptr;
    SpeechLabel *lblMessage = nullptr;
    std::array<ChoiceLabel *, 4> lblSentaku{}; // lblSentaku1 ... lblSentaku4
    FaceView *face = nullptr;                  // imgChara, imgEye, imgKuchi and their timers

    QMenu *filemenu = nullptr;
    QAction *newmenu = nullptr;
    QAction *opnmenu = nullptr;
    QAction *asavemenu = nullptr;
    QAction *savemenu = nullptr;
    QAction *quitmenu = nullptr;
    QMenu *infomenu = nullptr;
    QAction *statusmenu = nullptr;
    QMenu *helpmenu = nullptr;
    QAction *howtomenu = nullptr;
    QAction *vermenu = nullptr;

    QTimer *tmrMessage = nullptr;
    QTimer *tmrTenmetsu = nullptr;

    // The picture store.
    const FrameStore frames;

    // The side windows while they are open.
    QPointer<Form2> statusWindow;
    QPointer<Form3> fileWindow;
    QPointer<Form4> endingWindow;
    QPointer<frmAbout> aboutWindow;
    QPointer<HelpWindow> helpWindow;

protected:
    void closeEvent(QCloseEvent *event) override;
    // Keys 1 to 4 pick an answer as a click on its label would.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildMenus();
    void showFileWindow(Game::FileMode mode);
    // Runs `leave` (which drops the game in hand) unless that would lose
    // records the user wants to keep: with unsaved ones, asks whether to
    // save first. Saving through the file window puts `leave` off until that
    // save succeeds. Returns what `leave` returned, false when it did not
    // run now.
    bool leaveGame(std::function<bool()> leave);
    // Before 上書き保存: true to go on. Where the current file is not the one
    // the game last opened or saved, asks the player first.
    bool mayAddToCurrentFile();
    void showMessage(const QString &text);
    // Whoever plays by keyboard types on without reaching for the entry box.
    void focusEntryIfOpen();
    // After a question the focus is on its answers, so that a screen reader
    // reads the answer in hand; otherwise in the entry box.
    void focusAnswersOrEntry();
    // Answer k (0 ... 3) is shown and may be picked.
    bool offered(int k) const;
    bool answerHasFocus() const;
    // The answer that Tab reaches: the picked one, or the first on offer.
    ChoiceLabel *answerStop() const;
    // An arrow in the group: picks the next answer on offer that way.
    void stepAnswer(int from, int direction);
    // Tells assistive technology which answer is picked now.
    void announceChoices();

    Host &host_;
    Game &game_;
    std::function<bool()> afterSave_;
};
