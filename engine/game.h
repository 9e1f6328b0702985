#pragma once
// The game itself, without a window: the stage's state and rules, the
// talk, the face cues, the files and the period. Its inputs
// are what the user and the clock do (a confirmation, a choice, back, a menu
// action with a path, the tick of each named timer); its outputs are what the
// windows show (the sentence, the choices, the entry, the face, the timers)
// and the messages they box. Every input ends in changed(); each message
// comes as it happens, so that a view can show the screen of that moment.
//
// The rules live here as members of Game; the face's tick routines are
// members of Face (engine/face.h), the farewell scene's of FarewellScene
// (engine/farewell.h). The views read the game through its const accessors and
// change it only through its verbs.

#include "engine/environment.h"
#include "engine/face.h"
#include "engine/farewell.h"
#include "engine/game_state.h"
#include "engine/remarks.h"
#include "engine/timer.h"
#include "persistence/egg_file.h"
#include "persistence/journal.h"

#include <QObject>

#include <array>
#include <functional>
#include <optional>
#include <span>

// One answer choice label as the stage shows it.
struct ChoiceCue {
    QString caption;
    bool visible = false;
    bool enabled = false;
    bool lit = false; // opaque in the highlight colour
};

// What the stage shows besides the face.
struct Screen {
    QString sentence;                 // the character's, in its balloon
    std::array<ChoiceCue, 4> choices; // the answers, top down
    QString entryText;                // the word entry box
    bool entryOpen = true;
    bool statusAvailable = false; // the status window can be opened: the name is known
};

class Game : public QObject, private GameState {
    Q_OBJECT
public:
    enum class FileMode { Open, Save };

    explicit Game(Environment &environment, QObject *parent = nullptr);
    ~Game() override;

    // --- what the views read
    const Screen &screen() const { return screen_; }
    const GameState &state() const { return *this; }
    const Face &face() const { return face_; }
    // Every six seconds the character says something about a word it knows.
    const Timer &remarkTimer() const { return remarkTimer_; }
    // The picked answer blinks; silent until the first confirmation.
    const Timer &answerBlinkTimer() const { return answerBlinkTimer_; }
    // The farewell scene while it plays; null before it begins.
    const FarewellScene *farewell() const { return farewell_ ? &*farewell_ : nullptr; }
    // Where an overwrite save goes: empty until a file is chosen, emptied by
    // a new game; the game holds it, so that it outlives the file window.
    const QString &currentFile() const { return currentFile_; }

    // --- start-up and 新規
    void newGame();

    // --- teaching: the name first, then words, each with up to five questions
    // The entry box's text as the player edits it; ignored while it is shut.
    void typed(const QString &text);
    // 確認: takes the typed text, or goes on from the answer picked.
    void confirm();
    // 戻る: the question before, where there is one.
    void back();
    // A click on answer k (1 ... 4); one hidden or shut takes no click.
    void pick(int k);

    // --- what the character makes of a word it meets again
    static bool isVulgar(const WordRecord &record);
    static bool isUseless(const WordRecord &record);
    static bool isDisliked(const WordRecord &record);

    // --- the ticks of the timers the views run
    void remarkTick();
    void answerBlinkTick();
    void faceTick(FaceTimer timer);
    void farewellFaceTick(FaceTimer timer);

    // --- files. Each shows its own failure and returns false, leaving the
    // file, the game and the current file as they were.
    // 上書き保存 to this file: adds what it does not hold yet.
    bool overwriteSave(const QString &fileName);
    // 名前をつけて保存: the whole memory into a new file of this name.
    bool saveAs(const QString &fileName);
    // 開く: the file's game replaces the one in hand.
    bool open(const QString &fileName);
    // A file clicked in the file window's list becomes the current file.
    void chooseFile(const QString &fileName);
    // 上書き保存 from the menu: to the current file, or through the file
    // window without one.
    void save();
    // Whether the game holds words, a name or a restart that its current file
    // does not: leaving the game now would lose them.
    bool hasUnsavedRecords() const;
    // Whether a save as to this name would replace a file other than the one
    // the game last opened or saved.
    bool replacesAnotherFile(const QString &fileName) const;
    // Whether an overwrite save now would add to a file other than the one
    // the game last opened or saved: one only clicked in the file window.
    bool addsToAnotherFile() const;
    // Whether a save is under way (it may be waiting for its file).
    bool saving() const { return saving_; }

    // --- recovery after a crash
    // From now on every unsaved record is also kept in a journal in this
    // folder, written before the game shows its reply.
    void keepJournalIn(const QString &folder);
    // The folder of the journals; empty when none is kept.
    QString journalFolder() const { return journal_ ? journal_->folder() : QString(); }
    // Whether the journal holds every unsaved record (or none is needed).
    bool journalKept() const { return !journal_ || !hasUnsavedRecords() || (journal_->isOpen() && !journalBroken_); }
    // The player leaves the game: what it holds unsaved they chose not to
    // keep, so nothing is left to recover.
    void leave();
    // Brings back a game that ended without being asked: its file opened as
    // 開く would (a new game where it has none or it cannot be opened), then
    // these records as unsaved ones, the first `quiet` of them a new game's
    // own. Returns how many came back; fewer when memory is full.
    qsizetype recover(const QString &fileName, std::span<const WordRecord> records, int quiet);

    // --- the farewell
    // 進む in the farewell scene; after the last line the program ends.
    void nextLine();

signals:
    void changed();
    // A message box: only OK, the program's caption; the game waits for it.
    void message(const QString &text);
    // The file window, for the user to name a file.
    void fileWindowWanted(Game::FileMode mode);
    // The period is over: the farewell scene begins, and the stage is left.
    void farewellBegins();
    // The program ends, saving nothing.
    void quitRequested();

private:
    // Back to waiting: entry open and empty, choices blank and shut, no
    // answer or choice left over.
    void resetDialogue();
    // Says something instead of taking the typed text, and goes back to
    // waiting for a word.
    void refuseEntry(const QString &sentence);
    // Puts the question of the step in hand on screen.
    void askQuestion();
    // Every question answered: the word and its answers go into memory.
    void storeTaughtWord();
    // A remark tick's draw: a remembered record to talk about, or none.
    void drawRemark();
    // What the character says about the record the talk is about: the two
    // gags, then the sentence for a word the player does not dislike, or the
    // cross face's for one they do.
    void remark(Generator generator);
    // A save ends in exactly one message: why it failed, or the success text.
    bool finishSave(const QString &error, const QString &success);

    // 開く; `recovering`, when given, brings a crashed game's records back
    // after the open and before the period is checked.
    bool openFile(const QString &fileName, const std::function<void()> &recovering);
    // The period ended today: the farewell scene.
    void beginFarewell();
    // The period ended before today: a new one with the same memory.
    void beginNextPeriod();
    // Brings the journal in line with the unsaved records.
    void keepJournal();
    // Takes one record back as its teaching once took it; false when full.
    bool restoreRecord(const WordRecord &record);

    Environment &environment_;
    Screen screen_;
    Face face_;
    Timer remarkTimer_{6000, true};
    Timer answerBlinkTimer_{0, true};
    std::optional<FarewellScene> farewell_;

    QString currentFile_;
    // The current file as the game last read or wrote it.
    EggFileMark fileMark_;
    // How many of newRecords(0 ... newCount-1) the file the game last opened
    // or saved (fileMark_) already holds, so that an overwrite save there
    // appends only what it does not hold yet.
    Int16 savedNewRecords_ = 0;
    // How many of newRecords' first records a new game made by itself (its
    // dates): nothing the player would miss if they went unsaved.
    Int16 newGameRecords_ = 0;
    bool saving_ = false;

    std::optional<Journal> journal_;
    qsizetype journaled_ = 0;    // newRecords(0 ... journaled_-1) are in the journal
    bool journalBroken_ = false; // the last write failed
    bool journalWarned_ = false;
};
