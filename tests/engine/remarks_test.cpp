#include "engine/remarks.h"

#include <gtest/gtest.h>

// Each kind and sort a word can be taught as has its remark in remarks.game
// and disliked.game; these only a hand-edited file holds, and no remark fits.
TEST(Remarks, KindsAndSortsNoTeachingGivesHaveNoRemark)
{
    const std::pair<const char *, const char *> cases[] = {
        {"x", "1"}, {"1", "x"}, {"1", "0"}, {"2", "5"}, {nullptr, nullptr}};
    auto field = [](const char *v) { return v ? Field(QString::fromUtf8(v)) : Field(); };
    for (const auto &[kind, sub] : cases) {
        EXPECT_EQ(generatorFor({QStringLiteral("w"), field(kind), field(sub), {}, {}, {}}), std::nullopt)
            << (kind ? kind : "unset") << "/" << (sub ? sub : "unset");
    }
}

TEST(Draw, RoundsHalvesToEvenAndMapsOntoBothMemories)
{
    const std::tuple<double, int, int> rounding[] = {
        {0.0, 3, 0}, {0.5, 1, 0}, {0.5, 3, 2}, {0.5, 5, 2}, {0.7, 5, 4}, {0.99, 3, 3}, {0.999999, 10101, 10101},
    };
    for (const auto &[r, n, index] : rounding)
        EXPECT_EQ(drawIndex(r, n), index) << r << " of " << n;

    // Five records from the file, four of this run.
    auto mapped = [](int k) { return std::pair(mapDraw(k, 5).memory, mapDraw(k, 5).index); };
    EXPECT_EQ(mapped(5), std::pair(Memory::File, 5));
    EXPECT_EQ(mapped(6), std::pair(Memory::ThisRun, 0));
    EXPECT_EQ(mapped(9), std::pair(Memory::ThisRun, 3));
}
