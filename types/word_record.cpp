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
    bool ok[3] = {};
    const int year = parts[0].toInt(&ok[0]), month = parts[1].toInt(&ok[1]), day = parts[2].toInt(&ok[2]);
    return ok[0] && ok[1] && ok[2] ? QDate(year, month, day) : QDate();
}

QDate periodEnd(QDate start) { return start.addDays(kPeriodDays); }
