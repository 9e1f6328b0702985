// The known-word search runs on every confirmation; it is linear on purpose,
// so the worst case is a word that is not there with both memories full.

#include "engine/game_state.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {
std::unique_ptr<GameState> fullMemory()
{
    auto state = std::make_unique<GameState>();
    for (int k = 0; k < kNewRecordSlots; ++k)
        state->newRecords[k].Text = QStringLiteral("今日のことば%1").arg(k);
    for (int k = 1; k <= kMaxFileRecords; ++k)
        state->fileRecords[k].Text = QStringLiteral("ファイルのことば%1").arg(k);
    state->newCount = kNewRecordSlots;
    state->fileCount = kMaxFileRecords;
    return state;
}
} // namespace

static void BM_KnownWordSearchMiss(benchmark::State &bench)
{
    const auto state = fullMemory();
    const QString word = QStringLiteral("まだしらないことば");
    for (auto _ : bench)
        benchmark::DoNotOptimize(findKnownWord(*state, word));
}
BENCHMARK(BM_KnownWordSearchMiss)->Unit(benchmark::kMicrosecond);
