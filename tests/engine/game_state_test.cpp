#include "engine/game_state.h"

#include <gtest/gtest.h>

#include <memory>

TEST(Memory, SearchComparesExactlyPrefersThisRunAndSeesOnlyRecordsInUse)
{
    const auto state = std::make_unique<GameState>();
    state->newCount = 3;
    state->fileCount = 3;
    state->newRecords[0].Text = QStringLiteral("みかん");
    state->newRecords[1].Text = QStringLiteral("りんご");
    state->newRecords[3].Text = QStringLiteral("stale");
    state->fileRecords[0].Text = QStringLiteral("slot0");
    state->fileRecords[1].Text = QStringLiteral("いちご");
    state->fileRecords[2].Text = QStringLiteral("りんご");
    state->fileRecords[3].Text = QStringLiteral("ABC");
    auto where = [&](const char *word) {
        const auto found = findKnownWord(*state, QString::fromUtf8(word));
        return found ? std::pair(found->memory, found->index) : std::pair(Memory::File, -1);
    };
    EXPECT_EQ(where("りんご"), std::pair(Memory::ThisRun, 1));
    EXPECT_EQ(where("いちご"), std::pair(Memory::File, 1));
    EXPECT_EQ(where("ABC"), std::pair(Memory::File, 3));
    EXPECT_EQ(where(""), std::pair(Memory::ThisRun, 2)) << "a record without text matches the empty word";
    // Kana, case, width and spaces all count; fileRecords(0) and slots beyond newCount hold no record.
    for (const char *other : {"リンゴ", "abc", "ＡＢＣ", "りんご ", "slot0", "stale"})
        EXPECT_EQ(where(other).second, -1) << other;
    // A full newRecords has no slot newCount: a new period's dates then go nowhere.
    EXPECT_FALSE(state->record(Memory::ThisRun, kNewRecordSlots).Text);
}
