// One message tick with its generator, and a confirmation that searches a
// full memory: both run on the user-interface thread between frames.

#include "engine/game.h"
#include "fake_environment.h"

#include <benchmark/benchmark.h>

static void BM_MessageTick(benchmark::State &bench)
{
    FakeEnvironment environment;
    Game game(environment);
    game.YourName = QStringLiteral("たろう");
    for (int k = 1; k <= 100; ++k)
        game.Data[k] = {QStringLiteral("すし%1").arg(k), QStringLiteral("1"), QStringLiteral("3"),
                        QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2")};
    game.DataMax = 100;
    int k = 0;
    for (auto _ : bench) {
        // Alternate two words so that the repeat rule never skips the remark.
        environment.draws.push_back((1 + (k++ % 2) + 0.1) / (game.i + game.DataMax));
        game.tmrMessageTick();
    }
}
BENCHMARK(BM_MessageTick)->Unit(benchmark::kMicrosecond);

static void BM_ConfirmAtFullMemory(benchmark::State &bench)
{
    FakeEnvironment environment;
    Game game(environment);
    for (int k = 1; k <= kMaxDataRecords; ++k)
        game.Data[k].Text = QStringLiteral("ことば%1").arg(k);
    game.DataMax = kMaxDataRecords;
    game.txtNyuryokuChange(QStringLiteral("N"));
    game.cmdKakuninClick();
    game.i = kNewDataSlots;
    for (auto _ : bench) {
        // A new word at full memory: searched through everything, then refused.
        game.txtNyuryokuChange(QStringLiteral("あたらしいことば"));
        game.cmdKakuninClick();
    }
}
BENCHMARK(BM_ConfirmAtFullMemory)->Unit(benchmark::kMicrosecond);
