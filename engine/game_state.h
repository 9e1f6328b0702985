#pragma once
// The character's whole memory and the counters derived from it, as plain
// data. The engine's Game owns one.

#include "types/word_record.h"

#include <QStringView>

#include <array>

inline const QString kCharaName = QStringLiteral("ミスター・トルマリン");

// Where a record lies: the memory read from the opened file, or this run's.
enum class Memory { Data, NewData };

struct GameState {
    // Read by the other windows by these names.
    QString StartDate;
    QString EndDate;
    QString YourName;
    QString CharaName;
    Int16 Level = 0;
    Int16 ELevel = 0;
    Int16 DLevel = 0;
    Int16 J = 0;
    Int16 i = 0;
    Int16 DataMax = 0;
    Int16 Rand = -1;

    // Working values of the dialogue and the talk.
    Int16 Choice = 0;
    Int16 Step = -1;
    QString NewWord;
    QString Answer1, Answer2, Answer3, Answer4, Answer5;
    QString TalkWord;
    Int16 LastRand = -1;
    QString TalkFrom = QStringLiteral("y");

    // Records in use: NewData(0 ... i-1) and Data(1 ... DataMax).
    std::array<WordRecord, kNewDataSlots> NewData;
    std::array<WordRecord, kDataSlots> Data;

    // The word being taught and its answers back to empty text.
    void clearAnswers();
    // No slot is left in NewData, or the file that holds the game,
    // Data(1 ... DataMax) and NewData(0 ... i-1), would outgrow what an open
    // can read back.
    bool newDataFull() const { return i >= kNewDataSlots || DataMax + i >= kMaxDataRecords; }
    // Appends at NewData(i) and counts it in i and Level; false (and nothing
    // written) when there is no room for it.
    bool appendNewRecord(const WordRecord &record);
    // The start of a period: StartDate = today, EndDate = today + 14 days,
    // both appended as date records, each only where there is room for it.
    void beginPeriod(QDate today);

    // The record Rand names in the memory TalkFrom names.
    const WordRecord &talkRecord() const;
    const WordRecord &record(Memory memory, int index) const;
};

// Where the known-word search found a word.
struct Found {
    Memory memory;
    int index;
};

// Known-word search: exact comparison with the Text of NewData(0 ... i-1),
// then Data(1 ... DataMax); the first match wins. Name and date records are
// searched too.
std::optional<Found> findKnownWord(const GameState &state, QStringView word);
