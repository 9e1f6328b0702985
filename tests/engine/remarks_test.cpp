#include "engine/remarks.h"

#include <gtest/gtest.h>

TEST(Remarks, GeneratorByKindAndSubKind)
{
    const std::tuple<const char *, const char *, std::optional<Generator>> cases[] = {
        {"1", "1", Generator::Job},     {"1", "3", Generator::Food},     {"1", "4", Generator::Activity},
        {"2", "1", Generator::Person},     {"2", "3", Generator::Place},    {"2", "4", Generator::Book},
        {"3", "", Generator::Greeting},  {"4", "", Generator::Saying},   {"7", nullptr, {}},
        {"8", nullptr, {}},             {"9", nullptr, {}},
        // Only a hand-edited file holds these; they reach no generator.
        {"x", "1", {}}, {"1", "x", {}}, {"1", "0", {}}, {"1", "5", {}}, {nullptr, nullptr, {}},
    };
    auto field = [](const char *v) { return v ? Field(QString::fromUtf8(v)) : Field(); };
    for (const auto &[kind, sub, generator] : cases) {
        SCOPED_TRACE(testing::Message() << (kind ? kind : "unset") << "/" << (sub ? sub : "unset"));
        EXPECT_EQ(generatorFor({QStringLiteral("w"), field(kind), field(sub), {}, {}, {}}), generator);
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
