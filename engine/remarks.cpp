#include "engine/remarks.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

RemarkTemplates remarkTemplates(Generator generator, const QString &w, const QString &n)
{
    switch (generator) {
    case Generator::Job:
        return {w + u"になってみたいな。"_s, w + u"のひとたちってこわいな。"_s};
    case Generator::Creature:
        return {w + u"ってかわいいな。"_s, u"こきたない"_s + w + u"をみるとはきけがする。わたしにちかづけるな。"_s};
    case Generator::Food:
        return {u"こないだ"_s + w + u"たべたぞ。"_s,
                u"こないだ"_s + w + u"たべたけど"_s + n + u"がいうほどまずくはなかったな。"_s};
    case Generator::Activity:
        return {u"オイ"_s + n + u"、"_s + w + u"がしたいぞ。"_s, w + u"はしたくない。"_s};
    case Generator::Person:
        return {w + u"ってイカスな。"_s, w + u"っていけすかんな。"_s};
    case Generator::Group:
        return {w + u"にはいるにはどうしたらいいんだ？"_s, w + u"のやつらってきにいらんな。"_s};
    case Generator::Place:
        return {w + u"つれてけ。"_s, w + u"につれてったらただじゃすまさんからな。"_s};
    case Generator::Greeting:
        return {n + u"、"_s + w + u"　あいさつもいいもんだな。"_s, w + u"か。つまらんあいさつだな。"_s};
    case Generator::Book:
        return {w + u"っておもしろいな。"_s, w + u"ってつまらんな。"_s};
    case Generator::Saying: {
        const QString quote = u"曰く「"_s + w + u"」"_s;
        return {quote, quote};
    }
    }
    return {};
}

std::optional<Generator> generatorFor(const WordRecord &record)
{
    if (codeIs(record.Kind, Code::Kind::General) || codeIs(record.Kind, Code::Kind::Proper)) {
        static constexpr Generator kGeneral[] = {Generator::Job, Generator::Creature, Generator::Food,
                                                 Generator::Activity};
        static constexpr Generator kProper[] = {Generator::Person, Generator::Group, Generator::Place, Generator::Book};
        const std::optional<int> sub = codeNumber(record.SubKind);
        if (!sub || *sub < 1 || *sub > 4)
            return std::nullopt;
        return (codeIs(record.Kind, Code::Kind::General) ? kGeneral : kProper)[*sub - 1];
    }
    if (codeIs(record.Kind, Code::Kind::Greeting))
        return Generator::Greeting;
    if (codeIs(record.Kind, Code::Kind::Saying))
        return Generator::Saying;
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
        return {Memory::File, k};
    return {Memory::ThisRun, k - dataMax - 1};
}
