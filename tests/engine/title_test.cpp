#include "engine/title.h"

#include <gtest/gtest.h>

TEST(StatusTitle, BandsAndRanksAtTheirEdges)
{
    const std::tuple<Int16, Int16, Int16, const char16_t *> cases[] = {
        {10, 0, 0, u"純真で無垢な赤ん坊"},
        {11, 0, 0, u"純真で無垢な幼稚園児"},
        {21, 0, 0, u"純真で無垢な小学生"},
        {31, 0, 0, u"純真で無垢な中学生"},
        {41, 0, 0, u"純真で無垢な高校生"},
        {51, 0, 0, u"純真で無垢な大学生"},
        {70, 0, 0, u"純真で無垢な新米社員"},
        {81, 0, 0, u"純真で無垢な会社役員"},
        {71, 30, 30, u"ちょっぴり危険でムッツリすけべな中間管理職"},
        {100, 0, 0, u"純真で無垢な社長"},
        {101, 0, 0, u"純真で無垢な王様"},
        // A ratio on a bound belongs to the band above it.
        {10, 1, 0, u"純真で赤ん坊"},
        {10, 0, 1, u"無垢な赤ん坊"},
        {10, 3, 0, u"純真でムッツリすけべな赤ん坊"},
        {10, 0, 3, u"ちょっぴり危険で無垢な赤ん坊"},
        {10, 5, 0, u"純真でど変態な赤ん坊"},
        {10, 0, 5, u"アングラの帝王で無垢な赤ん坊"},
        {20, 2, 10, u"アングラの帝王で幼稚園児"},
        // Just below a bound.
        {100, 29, 9, u"純真で社長"},
        {100, 49, 49, u"ちょっぴり危険でムッツリすけべな社長"},
        {0, 0, 0, u"赤ん坊"},
        {0, 3, 2, u"赤ん坊"},
    };
    for (const auto &[level, eLevel, dLevel, title] : cases)
        EXPECT_EQ(statusTitle(level, eLevel, dLevel), QString::fromUtf16(title))
            << level << " " << eLevel << " " << dLevel;
}
