#include "persistence/storable_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <utility>

bool isStorableText(QStringView text)
{
    for (QChar c : text) {
        if (c == u'"' || c.category() == QChar::Other_Control)
            return false;
    }
    QStringEncoder encoder("windows-31j", QStringEncoder::Flag::Stateless);
    QStringDecoder decoder("windows-31j", QStringDecoder::Flag::Stateless);
    if (!encoder.isValid() || !decoder.isValid())
        return false;
    // encode() is lazy: only turning its result into bytes runs the encoder.
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    // Some characters are encoded as another one's code (U+F86F as that of
    // U+2116) and would come back changed from the file.
    const QString back = decoder.decode(bytes);
    return !decoder.hasError() && back == text;
}

QString withCp932Twins(QString text)
{
    static constexpr std::pair<char16_t, char16_t> kTwins[] = {
        {u'\u301C', u'\uFF5E'}, // WAVE DASH → FULLWIDTH TILDE
        {u'\u2212', u'\uFF0D'}, // MINUS SIGN → FULLWIDTH HYPHEN-MINUS
        {u'\u2016', u'\u2225'}, // DOUBLE VERTICAL LINE → PARALLEL TO
        {u'\u00A2', u'\uFFE0'}, // CENT SIGN → FULLWIDTH CENT SIGN
        {u'\u00A3', u'\uFFE1'}, // POUND SIGN → FULLWIDTH POUND SIGN
        {u'\u00AC', u'\uFFE2'}, // NOT SIGN → FULLWIDTH NOT SIGN
        {u'\u2014', u'\u2015'}, // EM DASH → HORIZONTAL BAR
        {u'\u00A5', u'\uFFE5'}, // YEN SIGN → FULLWIDTH YEN SIGN
    };
    for (const auto &[jis, cp932] : kTwins)
        text.replace(QChar(jis), QChar(cp932));
    return text;
}
