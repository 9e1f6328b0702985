#include "app/game_state.h"
#include "persistence/storable_text.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <memory>

TEST(DateText, FixedFormWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(dateText(QDate(2001, 8, 15)), u"2001/08/15");
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    EXPECT_EQ(dateText(QDate(2001, 8, 15)), u"2001/08/15");
    QLocale::setDefault(QLocale::c());
}

TEST(DateText, PeriodEndIsCalendarArithmetic)
{
    EXPECT_EQ(dateText(periodEnd(QDate(2026, 12, 20))), u"2027/01/03");
    EXPECT_EQ(dateText(periodEnd(QDate(2028, 2, 20))), u"2028/03/05"); // leap year
    EXPECT_EQ(dateText(periodEnd(QDate(2027, 2, 20))), u"2027/03/06");
}

TEST(Codes, CompareAsNumbers)
{
    EXPECT_TRUE(codeIs(QStringLiteral("1"), 1));
    EXPECT_FALSE(codeIs(QStringLiteral("1"), 2));
    EXPECT_FALSE(codeIs(QString(), 0)) << "empty text equals no number";
    EXPECT_FALSE(codeIs(std::nullopt, 0)) << "unset equals no number";
    EXPECT_EQ(codeNumber(QStringLiteral("x")), std::nullopt);
    EXPECT_EQ(Code::ofChoice(3), u"3");
}

class MemoryTest : public ::testing::Test {
protected:
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    void put(Memory memory, int index, Field text)
    {
        WordRecord &r = memory == Memory::Data ? state->Data[index] : state->NewData[index];
        r.Text = std::move(text);
    }
};

TEST_F(MemoryTest, SearchPrefersThisRunAndComparesExactly)
{
    state->i = 2;
    state->DataMax = 2;
    put(Memory::NewData, 0, QStringLiteral("みかん"));
    put(Memory::NewData, 1, QStringLiteral("りんご"));
    put(Memory::Data, 1, QStringLiteral("りんご"));
    put(Memory::Data, 2, QStringLiteral("ABC"));

    const auto apple = findKnownWord(*state, u"りんご");
    ASSERT_TRUE(apple);
    EXPECT_EQ(apple->memory, Memory::NewData);
    EXPECT_EQ(apple->index, 1);

    const auto abc = findKnownWord(*state, u"ABC");
    ASSERT_TRUE(abc);
    EXPECT_EQ(abc->memory, Memory::Data);
    EXPECT_EQ(abc->index, 2);

    EXPECT_FALSE(findKnownWord(*state, u"リンゴ")) << "katakana is another word";
    EXPECT_FALSE(findKnownWord(*state, u"abc")) << "case counts";
    EXPECT_FALSE(findKnownWord(*state, u"ＡＢＣ")) << "width counts";
    EXPECT_FALSE(findKnownWord(*state, u"りんご "));
}

TEST_F(MemoryTest, SearchSeesOnlyRecordsInUse)
{
    put(Memory::Data, 0, QStringLiteral("slot0"));
    put(Memory::NewData, 3, QStringLiteral("stale"));
    state->i = 3;
    state->DataMax = 0;
    EXPECT_FALSE(findKnownWord(*state, u"slot0")) << "Data(0) never holds a record";
    EXPECT_FALSE(findKnownWord(*state, u"stale")) << "beyond i is no record";
    // NewData(0 ... 2) have no Text: they match the empty word.
    const auto empty = findKnownWord(*state, u"");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->index, 0);
}

TEST_F(MemoryTest, PeriodRecordsAndTheFullMemory)
{
    state->beginPeriod(QDate(2026, 12, 20));
    EXPECT_EQ(state->StartDate, u"2026/12/20");
    EXPECT_EQ(state->EndDate, u"2027/01/03");
    EXPECT_EQ(state->i, 2);
    EXPECT_EQ(state->Level, 2);
    EXPECT_EQ(state->NewData[1], (WordRecord{QStringLiteral("2027/01/03"), Code::EndDate, {}, {}, {}, {}}));

    state->i = kNewDataSlots - 1;
    EXPECT_TRUE(state->appendNewRecord({QStringLiteral("last"), {}, {}, {}, {}, {}}));
    EXPECT_TRUE(state->newDataFull());
    EXPECT_FALSE(state->appendNewRecord({QStringLiteral("beyond"), {}, {}, {}, {}, {}}));
    EXPECT_EQ(state->i, kNewDataSlots);
    EXPECT_EQ(state->NewData[kNewDataSlots - 1].Text, u"last");
}

TEST(StorableText, RefusesWhatTheSaveFileCannotHold)
{
    EXPECT_TRUE(isStorableText(u"りんご"));
    EXPECT_TRUE(isStorableText(u"ｱｲｳ ABC　１２３、。"));
    EXPECT_TRUE(isStorableText(u""));
    EXPECT_TRUE(isStorableText(u"a,b")) << "a comma stays inside the quotes";
    EXPECT_FALSE(isStorableText(u"say \"hi\""));
    EXPECT_FALSE(isStorableText(u"tab\there"));
    EXPECT_FALSE(isStorableText(u"two\nlines"));
    EXPECT_FALSE(isStorableText(u"😀"));
    EXPECT_FALSE(isStorableText(u"𠮷野家"));
}
