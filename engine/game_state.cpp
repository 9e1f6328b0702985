#include "engine/game_state.h"

void GameState::clearAnswers()
{
    for (QString *text : {&taughtWord, &kindAnswer, &sortAnswer, &likingAnswer, &usefulAnswer, &vulgarAnswer})
        text->clear();
}

bool GameState::appendNewRecord(const WordRecord &record)
{
    if (memoryFull())
        return false;
    newRecords[newCount] = record;
    ++newCount;
    ++level;
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
    startDate = dateText(today);
    appendNewRecord(dateRecord(record(Memory::ThisRun, newCount), startDate, Code::StartDate));
    endDate = dateText(periodEnd(today));
    appendNewRecord(dateRecord(record(Memory::ThisRun, newCount), endDate, Code::EndDate));
}

const WordRecord &GameState::record(Memory memory, int index) const
{
    // An index outside the array reads as a record with nothing set, so a
    // stray index can never reach beyond the memory.
    static const WordRecord kNone;
    if (memory == Memory::File)
        return index >= 0 && index < kFileRecordSlots ? fileRecords[index] : kNone;
    return index >= 0 && index < kNewRecordSlots ? newRecords[index] : kNone;
}

// An unset Text counts as the empty string; compared without building one.
static bool textEquals(const Field &text, QStringView word)
{
    return text ? QStringView(*text) == word : word.isEmpty();
}

std::optional<Found> findKnownWord(const GameState &state, QStringView word)
{
    for (int k = 0; k < state.newCount; ++k) {
        if (textEquals(state.newRecords[k].Text, word))
            return Found{Memory::ThisRun, k};
    }
    for (int k = 1; k <= state.fileCount; ++k) {
        if (textEquals(state.fileRecords[k].Text, word))
            return Found{Memory::File, k};
    }
    return std::nullopt;
}

FileSummary summarize(std::span<const WordRecord> records)
{
    FileSummary summary;
    Int16 index = 0;
    for (const WordRecord &r : records) {
        ++index;
        if (codeIsExactly(r.Kind, Code::Kind::Name))
            summary.playerName = textOf(r.Text);
        if (codeIsExactly(r.Kind, Code::Kind::StartDate))
            summary.startDate = textOf(r.Text);
        if (codeIsExactly(r.Kind, Code::Kind::EndDate))
            summary.endDate = textOf(r.Text);
        if (codeIsExactly(r.Useful, Code::Usefulness::Useless))
            ++summary.uselessCount;
        if (codeIsExactly(r.Vulgar, Code::Vulgarity::Vulgar))
            ++summary.vulgarCount;
        if (codeIsExactly(r.Kind, Code::Kind::Greeting))
            summary.lastGreeting = index;
    }
    return summary;
}
