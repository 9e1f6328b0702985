#pragma once
// The character's whole memory and the counters derived from it. Plain data
// that needs no window: the main window owns one GameState by value, the file
// routines and the benchmarks build their own.

#include <QDate>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>

using Int16 = std::int16_t;

// A field of a record is either unset or a text (possibly empty). The save
// file writes the two differently, so the difference has to survive.
using Field = std::optional<QString>;

struct WordRecord {
    Field Text;
    Field Kind;
    Field SubKind;
    Field Like;
    Field Useful;
    Field Vulgar;

    friend bool operator==(const WordRecord &, const WordRecord &) = default;
};

// Answer codes and record types, always one-character texts.
namespace Code {
inline const QString Name = QStringLiteral("9");
inline const QString StartDate = QStringLiteral("8");
inline const QString EndDate = QStringLiteral("7");
inline const QString Greeting = QStringLiteral("3");
inline const QString Useless = QStringLiteral("2");
inline const QString Vulgar = QStringLiteral("1");
inline const QString Disliked = QStringLiteral("3");

// The answer code of choice label k (1 ... 4).
QString ofChoice(int k);
} // namespace Code

// Talk and judgements read codes as numbers: "1" equals 1, while an unset or
// empty field (or anything that is not a number) equals no number at all.
std::optional<int> codeNumber(const Field &field);
inline bool codeIs(const Field &field, int number) { return codeNumber(field) == number; }

// The text of a field as the talk and the search see it: unset reads as "".
inline QString textOf(const Field &field) { return field.value_or(QString()); }

// Date text: four-digit year, two-digit month and day, slashes, whatever the
// locale. Saved files and the end-date check rely on this fixed form.
QString dateText(QDate date);
constexpr int kPeriodDays = 14;
QDate periodEnd(QDate start);

constexpr int kNewDataSlots = 101;    // NewData(0 ... 100)
constexpr int kDataSlots = 10001;     // Data(0 ... 10000); slot 0 never holds a record
constexpr int kMaxDataRecords = kDataSlots - 1;

inline const QString kCharaName = QStringLiteral("ミスター・トルマリン");

// Where a record lies: the memory read from the opened file, or this run's.
enum class Memory { Data, NewData };

struct GameState {
    // Read and written by the other windows by these names.
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

    // Working values of the main window's own routines.
    Int16 Choice = 0;
    Int16 Step = -1;
    QString NewWord;
    QString Answer1, Answer2, Answer3, Answer4, Answer5;
    QString TalkWord;
    Int16 TalkCount = 0;
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
