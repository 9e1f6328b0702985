#include "engine/game_state.h"

void GameState::clearAnswers()
{
    for (QString *text : {&NewWord, &Answer1, &Answer2, &Answer3, &Answer4, &Answer5})
        text->clear();
}

bool GameState::appendNewRecord(const WordRecord &record)
{
    if (newDataFull())
        return false;
    NewData[i] = record;
    ++i;
    ++Level;
    return true;
}

// A date record takes its text and type; its other fields stay as the slot
// held them where an open emptied it (empty texts), and are unset anywhere
// else, where they may still hold a word's answers from before.
static WordRecord dateRecord(const WordRecord &slot, const QString &date, const QString &kind)
{
    const auto empty = [](const Field &field) { return field && field->isEmpty(); };
    if (empty(slot.SubKind) && empty(slot.Like) && empty(slot.Useful) && empty(slot.Vulgar))
        return {date, kind, slot.SubKind, slot.Like, slot.Useful, slot.Vulgar};
    return {date, kind, {}, {}, {}, {}};
}

void GameState::beginPeriod(QDate today)
{
    StartDate = dateText(today);
    appendNewRecord(dateRecord(record(Memory::NewData, i), StartDate, Code::StartDate));
    EndDate = dateText(periodEnd(today));
    appendNewRecord(dateRecord(record(Memory::NewData, i), EndDate, Code::EndDate));
}

const WordRecord &GameState::record(Memory memory, int index) const
{
    // An index outside the array reads as a record with nothing set, so a
    // stray index can never reach beyond the memory.
    static const WordRecord kNone;
    if (memory == Memory::Data)
        return index >= 0 && index < kDataSlots ? Data[index] : kNone;
    return index >= 0 && index < kNewDataSlots ? NewData[index] : kNone;
}

const WordRecord &GameState::talkRecord() const
{
    return record(TalkFrom == u"y" ? Memory::Data : Memory::NewData, Rand);
}

// An unset Text counts as the empty string; compared without building one.
static bool textEquals(const Field &text, QStringView word)
{
    return text ? QStringView(*text) == word : word.isEmpty();
}

std::optional<Found> findKnownWord(const GameState &state, QStringView word)
{
    for (int k = 0; k < state.i; ++k) {
        if (textEquals(state.NewData[k].Text, word))
            return Found{Memory::NewData, k};
    }
    for (int k = 1; k <= state.DataMax; ++k) {
        if (textEquals(state.Data[k].Text, word))
            return Found{Memory::Data, k};
    }
    return std::nullopt;
}
