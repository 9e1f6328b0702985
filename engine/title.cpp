#include "engine/title.h"

#include <array>

namespace {

struct Band {
    double from; // the ratio's lower bound, inclusive
    const char16_t *vulgarity;
    const char16_t *danger;
};

// Tested top down; a ratio equal to a bound belongs to the upper band.
constexpr std::array<Band, 4> kBands{{
    {0.5, u"ど変態な", u"アングラの帝王で"},
    {0.3, u"ムッツリすけべな", u"ちょっぴり危険で"},
    {0.1, u"", u""},
    {-1.0, u"無垢な", u"純真で"},
}};

const Band *bandOf(Int16 count, Int16 level)
{
    if (level <= 0)
        return nullptr;
    const double ratio = static_cast<double>(count) / static_cast<double>(level);
    for (const Band &band : kBands) {
        if (ratio >= band.from)
            return &band;
    }
    return nullptr;
}

} // namespace

QString rankWord(Int16 level)
{
    // Ten records a rank, the upper bounds inclusive: 10 is still the first.
    static constexpr std::array<const char16_t *, 10> kRanks{
        u"赤ん坊", u"幼稚園児", u"小学生",     u"中学生",   u"高校生",
        u"大学生", u"新米社員", u"中間管理職", u"会社役員", u"社長",
    };
    if (level > 100)
        return QStringLiteral("王様");
    // Division truncates towards zero: no record at all is still the first rank.
    const int rank = (level - 1) / 10;
    return QString::fromUtf16(kRanks[rank]);
}

QString vulgarityPrefix(Int16 vulgarCount, Int16 level)
{
    const Band *band = bandOf(vulgarCount, level);
    return band ? QString::fromUtf16(band->vulgarity) : QString();
}

QString dangerPrefix(Int16 uselessCount, Int16 level)
{
    const Band *band = bandOf(uselessCount, level);
    return band ? QString::fromUtf16(band->danger) : QString();
}

QString statusTitle(Int16 level, Int16 vulgarCount, Int16 uselessCount)
{
    return dangerPrefix(uselessCount, level) + vulgarityPrefix(vulgarCount, level) + rankWord(level);
}
