#include "engine/remarks.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

RemarkTemplates remarkTemplates(Generator generator, const QString &w, const QString &n)
{
    switch (generator) {
    case Generator::Job:
        return {w + u"になってみたいな。"_s, w + u"のひとたちってこわいな。"_s};
    case Generator::Life:
        return {w + u"ってかわいいな。"_s,
                u"こきたない"_s + w + u"をみるとはきけがする。わたしにちかづけるな。"_s};
    case Generator::Food:
        return {u"こないだ"_s + w + u"たべたぞ。"_s,
                u"こないだ"_s + w + u"たべたけど"_s + n + u"がいうほどまずくはなかったな。"_s};
    case Generator::Do:
        return {u"オイ"_s + n + u"、"_s + w + u"がしたいぞ。"_s, w + u"はしたくない。"_s};
    case Generator::Man:
        return {w + u"ってイカスな。"_s, w + u"っていけすかんな。"_s};
    case Generator::Group:
        return {w + u"にはいるにはどうしたらいいんだ？"_s, w + u"のやつらってきにいらんな。"_s};
    case Generator::Place:
        return {w + u"つれてけ。"_s, w + u"につれてったらただじゃすまさんからな。"_s};
    case Generator::Aisatsu:
        return {n + u"、"_s + w + u"　あいさつもいいもんだな。"_s, w + u"か。つまらんあいさつだな。"_s};
    case Generator::Book:
        return {w + u"っておもしろいな。"_s, w + u"ってつまらんな。"_s};
    case Generator::MeiKaku: {
        const QString quote = u"曰く「"_s + w + u"」"_s;
        return {quote, quote};
    }
    }
    return {};
}

std::optional<Generator> generatorFor(const WordRecord &record)
{
    const std::optional<int> kind = codeNumber(record.Kind);
    if (kind == 1 || kind == 2) {
        static constexpr Generator kGeneral[] = {Generator::Job, Generator::Life, Generator::Food,
                                                 Generator::Do};
        static constexpr Generator kProper[] = {Generator::Man, Generator::Group, Generator::Place,
                                                Generator::Book};
        const std::optional<int> sub = codeNumber(record.SubKind);
        if (!sub || *sub < 1 || *sub > 4)
            return std::nullopt;
        return (kind == 1 ? kGeneral : kProper)[*sub - 1];
    }
    if (kind == 3)
        return Generator::Aisatsu;
    if (kind == 4)
        return Generator::MeiKaku;
    return std::nullopt;
}

int drawIndex(double r, int n)
{
    // nearbyint rounds in the default mode, to nearest with ties to even.
    return static_cast<int>(std::nearbyint(r * n));
}

DrawnRecord mapDraw(int k, int dataMax)
{
    if (k <= dataMax)
        return {Memory::Data, k};
    return {Memory::NewData, k - dataMax - 1};
}
