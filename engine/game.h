#pragma once
// The game itself, without a window: the stage's state and rules, the
// talk, the face cues, the files and the period. Its inputs
// are what the user and the clock do (a confirmation, a choice, back, a menu
// action with a path, the tick of each named timer); its outputs are what the
// windows show (the sentence, the choices, the entry, the face, the timers)
// and the messages they box. Every input ends in changed(); each message
// comes as it happens, so that a view can show the screen of that moment.
//
// The stage's rules live here as members of Game; the face's tick
// routines are members of Face (engine/face.h), the farewell scene's of
// EndingScene (engine/ending.h).

#include "engine/ending.h"
#include "engine/environment.h"
#include "engine/face.h"
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

class Game : public QObject, public GameState {
    Q_OBJECT
public:
    enum class FileMode { Open, Save };

    explicit Game(Environment &environment, QObject *parent = nullptr);
    ~Game() override;

    // --- what the stage shows
    QString sentence;                  // lblMessage
    std::array<ChoiceCue, 4> choices;  // lblSentaku1 ... lblSentaku4
    QString entryText;                 // txtNyuryoku
    bool entryOpen = true;
    bool statusMenu = false;           // statusmenu enabled
    Face face;                         // imgEye, imgKuchi, imgChara, with tmrTiming, tmrAnime, tmrTalk, tmrAction
    Timer tmrMessage{6000, true};
    Timer tmrTenmetsu{0, true};        // silent until the first confirmation gives it an interval
    // The farewell scene while it plays.
    std::optional<EndingScene> ending;

    // The current file: empty until a file is chosen, emptied by a new game;
    // the game holds it, so that it outlives the file window.
    QString FileName;
    // How many of NewData(0 ... i-1) the file the game last opened or saved
    // (FileMark) already holds, so that an overwrite save there appends only
    // what it does not hold yet.
    Int16 SavedNewRecords = 0;
    // The current file as the game last read or wrote it.
    EggFileMark FileMark;
    // How many of NewData's first records a new game made by itself (its
    // dates): nothing the user would miss if they went unsaved.
    Int16 NewGameRecords = 0;

    // --- start-up and new game (newmenu)
    void NewGame();

    // --- teaching dialogue
    // The entry box's text as the user edits it; ignored while it is shut.
    void txtNyuryokuChange(const QString &text);
    void cmdKakuninClick();
    void cmdModoruClick();
    // A click on choice label k (1 ... 4); a label that is hidden or shut
    // takes no click.
    void lblSentakuClick(int k);
    void MenuHyouji();

    // --- judgements
    void EroHantei();
    void DameHantei();
    Int16 HateHantei(int index, std::optional<Memory> memory = std::nullopt) const;

    // --- talk and the stage's timers
    void tmrMessageTick();
    void tmrTenmetsuTick();
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
    // A face timer ticked; the view of the face calls it.
    void faceTicked();

    // --- files. Each shows its own failure and returns false, leaving the
    // file, the game and the current file as they were.
    bool FSave(const QString &fileName);
    bool NFSave(const QString &fileName);
    bool FLoad(const QString &fileName);
    // A file clicked in the file window's list becomes the current file.
    void chooseFile(const QString &fileName);
    // 上書き保存: to the current file, or through the file window without one.
    void asavemenuClick();
    // Whether the game holds words, a name or a restart that its current file
    // does not: leaving the game now would lose them.
    bool hasUnsavedRecords() const;
    // Whether a save as to this name would replace a file other than the one
    // the game last opened or saved.
    bool replacesAnotherFile(const QString &fileName) const;
    // Whether an overwrite save now would add to a file other than the one
    // the game last opened or saved: one only clicked in the file window.
    bool addsToAnotherFile() const;
    // Whether an overwrite save is waiting for its file.
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

    // --- the period
    void Ending();
    void AfterEnd();
    // 進む in the farewell scene; after the last line the program ends.
    void cmdNextClick();

signals:
    void changed();
    // A message box: only OK, the program's caption; the game waits for it.
    void message(const QString &text);
    // The file window, for the user to name a file.
    void fileWindowWanted(Game::FileMode mode);
    // The program ends, saving nothing.
    void quitRequested();

private:
    // Back to waiting: entry open and empty, choices blank and shut, no
    // answer or choice left over.
    void resetDialogue();
    // Says something instead of taking the typed text, and goes back to
    // waiting for a word.
    void refuseEntry(const QString &sentence);
    // The five steps every generator runs: the two gags, then the sentence
    // for a word the user does not dislike, or the cross face's for one the
    // user does.
    void remark(Generator generator);
    // A save ends in exactly one message: why it failed, or the success text.
    bool finishSave(const QString &error, const QString &success);

    // 開く; `recovering`, when given, brings a crashed game's records back
    // after the open and before the period is checked.
    bool openFile(const QString &fileName, const std::function<void()> &recovering);
    // Brings the journal in line with the unsaved records.
    void keepJournal();
    // Takes one record back as its teaching once took it; false when full.
    bool restoreRecord(const WordRecord &record);

    Environment &environment_;
    bool saving_ = false;
    std::optional<Journal> journal_;
    qsizetype journaled_ = 0; // NewData(0 ... journaled_-1) are in the journal
    bool journalBroken_ = false; // the last write failed
    bool journalWarned_ = false;
};
