#pragma once
// Failure messages show Qt texts as text, not as bytes.

#include "app/game_state.h"

#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '[' << list.join(QStringLiteral("\", \"")).prepend(u'"').append(u'"').toStdString() << ']';
}
// A record as its line would read: texts quoted, unset fields empty.
inline void PrintTo(const WordRecord &record, std::ostream *os)
{
    const Field *fields[] = {&record.Text, &record.Kind, &record.SubKind, &record.Like, &record.Useful, &record.Vulgar};
    for (const Field *field : fields)
        *os << (field == fields[0] ? "" : ",") << (*field ? '"' + (*field)->toStdString() + '"' : std::string());
}
