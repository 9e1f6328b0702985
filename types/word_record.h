#pragma once
// The plain values every layer shares: one remembered record, its answer
// codes, the date text and the sizes of the two memories. No behaviour beyond
// reading a code or writing a date.

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

using Int16 = std::int16_t;

// A field of a record is either unset or a text (possibly empty). The save
// file writes the two differently, so the difference has to survive.
using Field = std::optional<QString>;

// One remembered word, or the name or a date; one line of the save file.
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
// locale. Saved files rely on this fixed form, which holds no year past 9999:
// a later date is written as the last one it holds.
QString dateText(QDate date);
inline const QDate kLastDate{9999, 12, 31};
// The date a date text names, read leniently (any number of digits, as other
// programs may have written it); invalid when it names none.
QDate dateFromText(const QString &text);
constexpr int kPeriodDays = 14;
QDate periodEnd(QDate start);

constexpr int kNewDataSlots = 101;    // NewData(0 ... 100)
constexpr int kDataSlots = 10001;     // Data(0 ... 10000); slot 0 never holds a record
constexpr int kMaxDataRecords = kDataSlots - 1;
