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

// The codes a record's fields hold, each one character: the record's type in
// Kind, and in every answer field the number of the choice picked (1 ... 4).
namespace Code {
inline const QString Name = QStringLiteral("9");
inline const QString StartDate = QStringLiteral("8");
inline const QString EndDate = QStringLiteral("7");

// Kind: the word's kind (the first question) or the record's type.
enum class Kind { General = 1, Proper = 2, Greeting = 3, Saying = 4, EndDate = 7, StartDate = 8, Name = 9 };
enum class Liking { Likes = 1, Neutral = 2, Dislikes = 3 };
enum class Usefulness { Useful = 1, Useless = 2 };
enum class Vulgarity { Vulgar = 1, Clean = 2 };

// The answer code of choice label k (1 ... 4).
QString ofChoice(int k);
} // namespace Code

// Talk and judgements read codes as numbers: "1" equals 1, while an unset or
// empty field (or anything that is not a number) equals no number at all.
std::optional<int> codeNumber(const Field &field);
template <typename C>
bool codeIs(const Field &field, C code)
{
    return codeNumber(field) == static_cast<int>(code);
}
// A saved file's counters read codes as exact texts: "1" is the code, " 1"
// is not.
template <typename C>
bool codeIsExactly(const Field &field, C code)
{
    return field && field->size() == 1 && field->front() == QChar(u'0' + static_cast<int>(code));
}

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

constexpr int kNewRecordSlots = 101;    // newRecords(0 ... 100)
constexpr int kFileRecordSlots = 10001; // fileRecords(0 ... 10000); slot 0 never holds a record
constexpr int kMaxFileRecords = kFileRecordSlots - 1;
