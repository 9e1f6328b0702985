#pragma once
// Failure messages show Qt texts as text, not as bytes.

#include "types/word_record.h"

#include <QByteArray>
#include <QString>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
// A record as its line would read: texts quoted, unset fields empty.
inline void PrintTo(const WordRecord &record, std::ostream *os)
{
    const Field *fields[] = {&record.Text, &record.Kind, &record.SubKind, &record.Like, &record.Useful, &record.Vulgar};
    for (const Field *field : fields)
        *os << (field == fields[0] ? "" : ",") << (*field ? '"' + (*field)->toStdString() + '"' : std::string());
}
// File bytes with line ends and bytes beyond ASCII escaped.
inline void PrintTo(const QByteArray &bytes, std::ostream *os) { *os << bytes.toPercentEncoding(" \",=/").constData(); }
