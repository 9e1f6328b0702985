#include "persistence/storable_text.h"

#include <QStringEncoder>

bool isStorableText(QStringView text)
{
    for (QChar c : text) {
        if (c == u'"' || c.category() == QChar::Other_Control)
            return false;
    }
    QStringEncoder encoder("windows-31j", QStringEncoder::Flag::Stateless);
    if (!encoder.isValid())
        return false;
    // encode() is lazy: only turning its result into bytes runs the encoder.
    const QByteArray bytes = encoder.encode(text);
    Q_UNUSED(bytes);
    return !encoder.hasError();
}
