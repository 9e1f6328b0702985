#include "types/word_record.h"

#include <QStringList>

#include <algorithm>

QString Code::ofChoice(int k) { return QString::number(k); }

std::optional<int> codeNumber(const Field &field)
{
    if (!field)
        return std::nullopt;
    bool ok = false;
    const int value = field->trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString dateText(QDate date) { return std::min(date, kLastDate).toString(u"yyyy/MM/dd"); }

QDate dateFromText(const QString &text)
{
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3)
        return {};
    // A part that is no number reads as 0, which no date has.
    return QDate(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
}

QDate periodEnd(QDate start) { return start.addDays(kPeriodDays); }
