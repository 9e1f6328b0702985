#include "windows/ending_script.h"

#include <gtest/gtest.h>

TEST(EndingScript, PutsTheNameIntoItsLines)
{
    const QString name = QStringLiteral("タロウ");
    EXPECT_EQ(scriptLine(0, name), QStringLiteral("タロウ、元気か？"));
    EXPECT_EQ(scriptLine(5, name), QStringLiteral("なあ、タロウ、おまえ、私がいなくなったら悲しいか？"));
    EXPECT_EQ(scriptLine(6, name), QStringLiteral("・・・・・"));
    EXPECT_EQ(scriptLine(14, name), QStringLiteral("なあ、タロウ。"));
    EXPECT_EQ(scriptLine(16, name), QStringLiteral("タロウといっしょにいた時間・・・"));
    EXPECT_EQ(scriptLine(26, name), QStringLiteral("今までありがとう。"));
}

TEST(EndingScript, OnlyTheDotLinesAreSilent)
{
    for (int n = 0; n < kScriptLines; ++n) {
        SCOPED_TRACE(n);
        const bool dots = scriptLine(n, QStringLiteral("X")) == QStringLiteral("・・・・・");
        EXPECT_EQ(isSilentLine(n), dots);
        EXPECT_EQ(isSilentLine(n), n == 6 || n == 8 || n == 10 || n == 12 || n == 15 || n == 18
                                       || n == 21 || n == 24);
    }
}
