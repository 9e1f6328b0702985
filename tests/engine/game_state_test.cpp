#include "engine/game_state.h"
#include "persistence/storable_text.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <memory>

TEST(DateText, FixedFormWhateverTheLocale)
{
    for (const QLocale &locale :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::Japanese, QLocale::Japan)}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(dateText(QDate(2001, 8, 15)), u"2001/08/15");
    }
    QLocale::setDefault(QLocale::c());
}

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
    // A stray index reads no record, not the slot beside the array.
    state->NewData[kNewDataSlots - 1].Text = QStringLiteral("last");
    for (const Memory memory : {Memory::NewData, Memory::Data}) {
        for (int beyond : {-1, memory == Memory::Data ? kDataSlots : kNewDataSlots})
            EXPECT_FALSE(state->record(memory, beyond).Text) << beyond;
    }
}

TEST(StorableText, RefusesWhatTheSaveFileCannotHold)
{
    // A comma stays inside the quotes; half- and full-width forms are in code page 932.
    for (const char *text : {"りんご", "ｱｲｳ ABC　１２３、。", "", "a,b"})
        EXPECT_TRUE(isStorableText(QString::fromUtf8(text))) << text;
    for (const char *text : {"say \"hi\"", "tab\there", "two\nlines", "😀", "𠮷野家"})
        EXPECT_FALSE(isStorableText(QString::fromUtf8(text))) << text;
}
