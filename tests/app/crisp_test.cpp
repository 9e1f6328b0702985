// The pictures at 1x and at 2x: the same size in points, twice the pixels.

#include "animation/frames.h"

#include <gtest/gtest.h>

TEST(CrispTest, EveryFrameKeepsItsSizeAtEitherScale)
{
    for (int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        const FrameStore f(scale);
        const struct {
            const QPixmap *frame;
            QSize size;
        } frames[] = {
            {&f.img01, {80, 30}}, {&f.img02, {80, 30}}, {&f.img03, {80, 30}},
            {&f.img04, {45, 15}}, {&f.img05, {45, 15}}, {&f.img06, {45, 15}},
            {&f.img000, {150, 150}},
        };
        for (const auto &t : frames) {
            EXPECT_EQ(t.frame->deviceIndependentSize().toSize(), t.size);
            EXPECT_EQ(t.frame->size(), t.size * scale);
        }
        for (const QPixmap &action : f.imgAct)
            EXPECT_EQ(action.size(), QSize(150, 150) * scale);
    }
}
