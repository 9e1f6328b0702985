#pragma once
// The character's remarks about a remembered word: one generator per kind of
// word, each with a sentence for a word the user does not dislike and one for
// a word the user dislikes.

#include "engine/game_state.h"

#include <QString>

#include <optional>

// One generator for each kind of word: the four sorts of general word, the
// four sorts of proper word, greetings and sayings.
enum class Generator { Job, Creature, Food, Activity, Person, Group, Place, Greeting, Book, Saying };

struct RemarkTemplates {
    QString liked;
    QString disliked;
};

// word: the word talked about; name: the user's name.
RemarkTemplates remarkTemplates(Generator generator, const QString &word, const QString &name);

// Which generator talks about a record, by its Kind and SubKind; none for
// name and date records and for codes that are not numbers.
std::optional<Generator> generatorFor(const WordRecord &record);

// The talk's draw: r (0 <= r < 1) times n rounded to the nearest integer,
// an exact half going to the even neighbour; 0 ... n.
int drawIndex(double r, int n);

// Where a draw k (1 ... fileCount + newCount) lands: fileRecords(k) for
// k <= fileCount, otherwise newRecords(k - fileCount - 1).
struct DrawnRecord {
    Memory memory;
    int index;
};
DrawnRecord mapDraw(int k, int dataMax);
