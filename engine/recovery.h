#pragma once
// Games that ended without being asked (a crash, a kill, a logout) leave
// their unsaved records in a journal (persistence/journal.h); the next start
// offers them back, one game at a time, oldest first.

#include "persistence/journal.h"

#include <QStringList>

#include <optional>
#include <span>
#include <vector>

class Game;

// How many of a left journal's first records its save file already holds:
// a save that ended just before the journal was trimmed. They stand in the
// file right after the `held` records it had, or at its very end.
std::size_t alreadySaved(std::span<const WordRecord> file, qint64 held, std::span<const WordRecord> journal);

// The journals no running game holds, each put to the player as a question.
// Only one of them can come back into the game; the others wait for the
// next start.
class LeftGames {
public:
    struct Question {
        QString text;
        QStringList buttons; // the last is the one Esc means
        int defaultButton = 0;
    };

    // The journals in the folder the game keeps its own in.
    explicit LeftGames(Game &game);

    // The next question; none once every journal has had its answer.
    std::optional<Question> next();
    // The player's answer to the question last asked: its button's index.
    void answer(int button);

private:
    Game &game_;
    std::vector<LeftJournal> journals_;
    std::size_t at_ = 0;
    // What the journal in question would bring back.
    std::vector<WordRecord> records_;
    int quiet_ = 0; // how many of them are a new game's own
    bool recovered_ = false;
};
