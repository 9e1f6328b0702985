// One message tick with its generator, and a confirmation that searches a
// full memory: both run on the user-interface thread between frames.

#include "engine/game.h"
#include "fake_environment.h"
#include "persistence/egg_codec.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A game opened from a file of these records, its name first.
void openWith(Game &game, std::vector<WordRecord> records)
{
    QTemporaryDir dir;
    records.insert(records.begin(), {QStringLiteral("たろう"), Code::Name, {}, {}, {}, {}});
    QFile file(dir.filePath(QStringLiteral("bench.egg")));
    if (!file.open(QIODevice::WriteOnly) || file.write(encodeEgg(records).bytes) < 0)
        std::abort();
    file.close();
    if (!game.open(file.fileName()))
        std::abort();
}

} // namespace

static void BM_MessageTick(benchmark::State &bench)
{
    FakeEnvironment environment;
    Game game(environment);
    std::vector<WordRecord> words;
    for (int k = 1; k <= 100; ++k)
        words.push_back({QStringLiteral("すし%1").arg(k), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("1"),
                         QStringLiteral("1"), QStringLiteral("2")});
    openWith(game, words);
    int k = 0;
    for (auto _ : bench) {
        // Alternate two words so that the repeat rule never skips the remark.
        environment.draws.push_back((2 + (k++ % 2) + 0.1) / (game.state().newCount + game.state().fileCount));
        game.remarkTick();
    }
}
BENCHMARK(BM_MessageTick)->Unit(benchmark::kMicrosecond);

static void BM_ConfirmAtFullMemory(benchmark::State &bench)
{
    FakeEnvironment environment;
    Game game(environment);
    std::vector<WordRecord> words;
    for (int k = 2; k <= kMaxFileRecords; ++k)
        words.push_back({QStringLiteral("ことば%1").arg(k), {}, {}, {}, {}, {}});
    openWith(game, words);
    for (auto _ : bench) {
        // A new word at full memory: searched through everything, then refused.
        game.typed(QStringLiteral("あたらしいことば"));
        game.confirm();
    }
}
BENCHMARK(BM_ConfirmAtFullMemory)->Unit(benchmark::kMicrosecond);
