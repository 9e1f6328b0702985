#include "engine/game_state.h"
#include "persistence/egg_codec.h"

#include <gtest/gtest.h>

#include <memory>

TEST(Memory, SearchComparesExactlyPrefersThisRunAndSeesOnlyRecordsInUse)
{
    const auto state = std::make_unique<GameState>();
    state->newCount = 3;
    state->fileCount = 2;
    state->newRecords[0].Text = QStringLiteral("みかん");
    state->newRecords[1].Text = QStringLiteral("りんご");
    state->newRecords[3].Text = QStringLiteral("stale");
    state->fileRecords[0].Text = QStringLiteral("slot0");
    state->fileRecords[1].Text = QStringLiteral("りんご");
    state->fileRecords[2].Text = QStringLiteral("ABC");
    auto where = [&](const char *word) {
        const auto found = findKnownWord(*state, QString::fromUtf8(word));
        return found ? std::pair(found->memory, found->index) : std::pair(Memory::File, -1);
    };
    EXPECT_EQ(where("りんご"), std::pair(Memory::ThisRun, 1));
    EXPECT_EQ(where("ABC"), std::pair(Memory::File, 2));
    EXPECT_EQ(where(""), std::pair(Memory::ThisRun, 2)) << "a record without text matches the empty word";
    // Kana, case, width and spaces all count; fileRecords(0) and slots beyond newCount hold no record.
    for (const char *other : {"リンゴ", "abc", "ＡＢＣ", "りんご ", "slot0", "stale"})
        EXPECT_EQ(where(other).second, -1) << other;
    // A full newRecords has no slot newCount: a new period's dates then go nowhere.
    EXPECT_FALSE(state->record(Memory::ThisRun, kNewRecordSlots).Text);
}

// The dates and the last greeting an open takes show in the transcripts
// (the status, the greeting remark after an open); here the rest.
TEST(Memory, AnOpenTakesTheLastNameAndCountsExactCodes)
{
    const EggDecoded decoded = decodeEgg("\"2026/01/01\",\"8\",,,,\r\n"
                                         "\"2026/01/15\",\"7\",,,,\r\n"
                                         "\"Ann\",\"9\",,,,\r\n"
                                         "\"hi\",\"3\",\"\",\"1\",\"2\",\"1\"\r\n"
                                         "\"Bob\",\"9\",,,,\r\n"
                                         "\"yo\",\"3\",\"\",\"1\",\" 2\",\"1 \"\r\n" // not "2" nor "1" as texts
                                         "\"w\",\"1\",\"1\",\"1\",\"2\",\"2\"\r\n");
    ASSERT_TRUE(decoded.ok());
    const FileSummary s = summarize(decoded.content.records);
    EXPECT_EQ(s.playerName, QStringLiteral("Bob")) << "the last name record wins";
    EXPECT_EQ(std::pair(s.uselessCount, s.vulgarCount), (std::pair<Int16, Int16>(2, 1)));
    EXPECT_FALSE(summarize({}).playerName.has_value()) << "no record of a type leaves the value in force";
}
