#include "windows/ending_script.h"

#include <gtest/gtest.h>

#include <set>

TEST(EndingScript, PutsTheNameIntoItsLines)
{
    const QString name = QStringLiteral("タロウ");
    EXPECT_EQ(scriptLine(0, name), u"タロウ、元気か？");
    EXPECT_EQ(scriptLine(5, name), u"なあ、タロウ、おまえ、私がいなくなったら悲しいか？");
    EXPECT_EQ(scriptLine(6, name), u"・・・・・");
    EXPECT_EQ(scriptLine(14, name), u"なあ、タロウ。");
    EXPECT_EQ(scriptLine(26, name), u"今までありがとう。");
}

TEST(EndingScript, OnlyTheDotLinesAreSilent)
{
    const std::set<int> silent{6, 8, 10, 12, 15, 18, 21, 24};
    for (int n = 0; n < kScriptLines; ++n) {
        EXPECT_EQ(isSilentLine(n), silent.contains(n)) << n;
        EXPECT_EQ(scriptLine(n, QStringLiteral("X")) == u"・・・・・", silent.contains(n)) << n;
    }
}
