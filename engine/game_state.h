#pragma once
// The character's memory, the counters derived from it and where the
// dialogue and the talk stand, as plain data.

#include "types/word_record.h"

#include <QStringView>

#include <array>
#include <optional>
#include <span>

inline const QString kCharacterName = QStringLiteral("ミスター・トルマリン");

// Where a record lies: in the memory read from the opened file, or among the
// records taught in this run.
enum class Memory { File, ThisRun };

// Where the teaching dialogue stands: what the entry box takes next, or which
// question about the word is on screen.
enum class TeachingStep {
    Name,       // the player's name, before anything else
    Word,       // a word to teach (or one it knows)
    Kind,       // 一般的なことば / 固有のことば / あいさつのことば / 名言、格言
    Sort,       // what sort of general or proper word
    Liking,     // すき / ふつう / きらい
    Usefulness, // ためになる / ダメになる
    Vulgarity,  // ゲヒンなことば / ふつうのことば
    Stored,     // every question answered: the word is stored
};

// The character's whole memory and the counters derived from it, as plain
// data. The engine's Game owns one and shows it read-only.
struct GameState {
    QString startDate;
    QString endDate;
    QString playerName;
    QString characterName;
    Int16 level = 0;        // records known: the file's and this run's
    Int16 vulgarCount = 0;  // of them answered ゲヒンなことば
    Int16 uselessCount = 0; // of them answered ダメになる
    Int16 newCount = 0;     // records taught in this run, newRecords(0 ... newCount-1)
    Int16 fileCount = 0;    // records read from the file, fileRecords(1 ... fileCount)

    // The dialogue: where it stands, the answer picked on screen (0: none),
    // the word being taught and its answers so far.
    TeachingStep step = TeachingStep::Name;
    Int16 picked = 0;
    QString taughtWord;
    QString kindAnswer, sortAnswer, likingAnswer, usefulAnswer, vulgarAnswer;

    // The talk: the record talked about last, and the last draw, which the
    // next draw must differ from to say anything new.
    Memory talkFrom = Memory::File;
    Int16 talkIndex = -1;
    QString talkWord;
    Int16 lastDraw = -1;

    std::array<WordRecord, kNewRecordSlots> newRecords;
    std::array<WordRecord, kFileRecordSlots> fileRecords;

    // The word being taught and its answers back to empty text.
    void clearAnswers();
    // No slot is left in newRecords, or the file that holds the game,
    // fileRecords(1 ... fileCount) and newRecords(0 ... newCount-1), would
    // outgrow what an open can read back.
    bool memoryFull() const { return newCount >= kNewRecordSlots || fileCount + newCount >= kMaxFileRecords; }
    // Appends at newRecords(newCount) and counts it in newCount and level;
    // false (and nothing written) when there is no room for it.
    bool appendNewRecord(const WordRecord &record);
    // The start of a period: startDate = today, endDate = today + 14 days,
    // both appended as date records, each only where there is room for it.
    void beginPeriod(QDate today);

    // The record the talk is about: talkIndex in the memory talkFrom names.
    const WordRecord &talkRecord() const { return record(talkFrom, talkIndex); }
    const WordRecord &record(Memory memory, int index) const;
};

// What an open takes from a file's records besides the records themselves.
// Codes count here as exact texts: "1" is the code, " 1" is not.
struct FileSummary {
    // The Text of the last name, start-date and end-date record; unset when
    // the file holds none, so the value in force before stays.
    std::optional<QString> playerName, startDate, endDate;
    Int16 vulgarCount = 0;   // records whose Vulgar is "1"
    Int16 uselessCount = 0;  // records whose Useful is "2"
    Int16 lastGreeting = -1; // fileRecords index (1 ...) of the last greeting
};
FileSummary summarize(std::span<const WordRecord> records);

// Where the known-word search found a word.
struct Found {
    Memory memory;
    int index;
};

// Known-word search: exact comparison with the Text of newRecords(0 ...
// newCount-1), then fileRecords(1 ... fileCount); the first match wins. Name
// and date records are searched too.
std::optional<Found> findKnownWord(const GameState &state, QStringView word);
