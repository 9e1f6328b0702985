#pragma once
// Form1, the stage of the game: the character, its balloon, the answer
// choices, the word entry, the buttons and the menus. It owns the whole game
// state for the run; the other windows read and write it through the public
// GameState members by name.
//
// The routines are spread over the folders by subject: the dialogue and the
// judgements in app/, talk in talk/, the face in animation/, the save file in
// persistence/, the side windows in windows/.

#include "animation/frames.h"
#include "app/game_state.h"
#include "app/stage_widgets.h"
#include "persistence/egg_file.h"
#include "talk/remarks.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <optional>

class Host;
class Balloon;
class ChoiceLabel;
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

class Form1 : public QMainWindow, public GameState {
    Q_OBJECT
public:
    explicit Form1(Host &host, QWidget *parent = nullptr);
    ~Form1() override;

    Host &host() { return host_; }

    // The current file: empty until a file is chosen, emptied by a new game.
    QString FileName;
    // How many of NewData(0 ... i-1) the current file already holds, so that
    // an overwrite save appends only what it does not hold yet.
    Int16 SavedNewRecords = 0;
    // The current file as the game last read or wrote it.
    EggFileMark FileMark;

    // --- start-up and new game
    void NewGame();
    // Back to waiting: entry enabled and empty, choices blank and disabled,
    // no answer or choice left over.
    void resetDialogue();

    // --- teaching dialogue
    void cmdKakuninClick();
    void cmdModoruClick();
    void lblSentakuClick(int k);
    void MenuHyouji();

    // --- judgements
    void EroHantei();
    void DameHantei();
    Int16 HateHantei(int index, std::optional<Memory> memory = std::nullopt) const;

    // --- talk
    void tmrMessageTick();
    void tmrTalkTick();
    void Message();
    void JobMsg();
    void LifeMsg();
    void FoodMsg();
    void DoMsg();
    void ManMsg();
    void GroupMsg();
    void PlaceMsg();
    void AisatsuMsg();
    void BookMsg();
    void MeiKakuMsg();

    // --- face and action animation
    void Action();
    void tmrTimingTick();
    void tmrAnimeTick();
    void tmrActionTick();
    void tmrTenmetsuTick();
    // The choice blink never ticks until the first confirmation gives it an
    // interval (a zero-interval timer would fire without pause).
    void setTenmetsuInterval(int ms);

    // --- save file
    // Each shows its own failure and returns false, leaving the file (or, for
    // FLoad, the game in hand) as it was.
    bool FSave();
    bool NFSave();
    bool FLoad();
    void opnmenuClick();
    void asavemenuClick();
    void savemenuClick();

    // --- side windows
    void statusmenuClick();
    void vermenuClick();
    void Ending();
    void AfterEnd();

    // Controls, by their design names.
    QLabel *lblNyuryoku = nullptr;
    QLineEdit *txtNyuryoku = nullptr;
    QPushButton *cmdKakunin = nullptr;
    QPushButton *cmdModoru = nullptr;
    QPushButton *cmdSyuryo = nullptr;
    FrameView *imgChara = nullptr;
    FrameView *imgEye = nullptr;
    FrameView *imgKuchi = nullptr;
    Balloon *Shape1 = nullptr;
    SpeechLabel *lblMessage = nullptr;
    std::array<ChoiceLabel *, 4> lblSentaku{}; // lblSentaku1 ... lblSentaku4

    QMenu *filemenu = nullptr;
    QAction *newmenu = nullptr;
    QAction *opnmenu = nullptr;
    QAction *asavemenu = nullptr;
    QAction *savemenu = nullptr;
    QMenu *infomenu = nullptr;
    QAction *statusmenu = nullptr;
    QMenu *helpmenu = nullptr;
    QAction *vermenu = nullptr;

    QTimer *tmrTalk = nullptr;
    QTimer *tmrTiming = nullptr;
    QTimer *tmrMessage = nullptr;
    QTimer *tmrAnime = nullptr;
    QTimer *tmrAction = nullptr;
    QTimer *tmrTenmetsu = nullptr;

    // The picture store and the hidden frames that hold it.
    const FrameStore frames;
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;

    // The side windows while they are open.
    QPointer<Form2> statusWindow;
    QPointer<Form3> fileWindow;
    QPointer<Form4> endingWindow;
    QPointer<frmAbout> aboutWindow;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Keys 1 to 4 pick an answer as a click on its label would.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void buildPictureStore();
    void buildMenus();
    void buildTimers();
    // The five steps every generator runs: the two gags, then the sentence
    // for a word the user does not dislike, or the cross face's for one the
    // user does.
    void remark(Generator generator);
    // Says something instead of taking the typed text, and goes back to
    // waiting for a word.
    void refuseEntry(const QString &sentence);
    // Whoever plays by keyboard types on without reaching for the entry box.
    void focusEntryIfOpen();
    // Tells assistive technology which answer is picked now.
    void announceChoices();

    Host &host_;
    bool tenmetsuEnabled_ = true;
};

// Switches a design timer on without restarting one already running, as
// "enabling" an enabled timer leaves its countdown alone.
void enableTimer(QTimer *timer);
