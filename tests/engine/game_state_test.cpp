#include "engine/game_state.h"

#include <gtest/gtest.h>

#include <memory>

TEST(Memory, SearchComparesExactlyPrefersThisRunAndSeesOnlyRecordsInUse)
{
    const auto state = std::make_unique<GameState>();
    state->i = 3;
    state->DataMax = 2;
    state->NewData[0].Text = QStringLiteral("みかん");
    state->NewData[1].Text = QStringLiteral("りんご");
    state->NewData[3].Text = QStringLiteral("stale");
    state->Data[0].Text = QStringLiteral("slot0");
    state->Data[1].Text = QStringLiteral("りんご");
    state->Data[2].Text = QStringLiteral("ABC");
    auto where = [&](const char *word) {
        const auto found = findKnownWord(*state, QString::fromUtf8(word));
        return found ? std::pair(found->memory, found->index) : std::pair(Memory::Data, -1);
    };
    EXPECT_EQ(where("りんご"), std::pair(Memory::NewData, 1));
    EXPECT_EQ(where("ABC"), std::pair(Memory::Data, 2));
    EXPECT_EQ(where(""), std::pair(Memory::NewData, 2)) << "a record without text matches the empty word";
    // Kana, case, width and spaces all count; Data(0) and slots beyond i hold no record.
    for (const char *other : {"リンゴ", "abc", "ＡＢＣ", "りんご ", "slot0", "stale"})
        EXPECT_EQ(where(other).second, -1) << other;
    // A full NewData has no slot i: a new period's dates then go nowhere.
    EXPECT_FALSE(state->record(Memory::NewData, kNewDataSlots).Text);
}
