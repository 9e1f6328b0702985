#include "types/word_record.h"

QString Code::ofChoice(int k) { return QString::number(k); }

std::optional<int> codeNumber(const Field &field)
{
    if (!field)
        return std::nullopt;
    bool ok = false;
    const int value = field->trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString dateText(QDate date) { return date.toString(u"yyyy/MM/dd"); }

QDate periodEnd(QDate start) { return start.addDays(kPeriodDays); }
