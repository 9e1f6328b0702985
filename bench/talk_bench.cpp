// One message tick with its generator, and a confirmation that searches a
// full memory: both run on the user-interface thread between frames.

#include "app/main_window.h"
#include "fake_host.h"

#include <QLabel>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <memory>

static void BM_MessageTick(benchmark::State &bench)
{
    FakeHost host;
    auto form = std::make_unique<Form1>(host);
    form->YourName = QStringLiteral("たろう");
    for (int k = 1; k <= 100; ++k)
        form->Data[k] = {QStringLiteral("すし%1").arg(k), QStringLiteral("1"), QStringLiteral("3"),
                         QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2")};
    form->DataMax = 100;
    int k = 0;
    for (auto _ : bench) {
        // Alternate two words so that the repeat rule never skips the remark.
        host.draws.push_back((1 + (k++ % 2) + 0.1) / (form->i + form->DataMax));
        form->tmrMessageTick();
    }
}
BENCHMARK(BM_MessageTick)->Unit(benchmark::kMicrosecond);

static void BM_ConfirmAtFullMemory(benchmark::State &bench)
{
    FakeHost host;
    auto form = std::make_unique<Form1>(host);
    for (int k = 1; k <= kMaxDataRecords; ++k)
        form->Data[k].Text = QStringLiteral("ことば%1").arg(k);
    form->DataMax = kMaxDataRecords;
    form->txtNyuryoku->setText(QStringLiteral("N"));
    form->cmdKakuninClick();
    form->i = kNewDataSlots;
    for (auto _ : bench) {
        // A new word at full memory: searched through everything, then refused.
        form->txtNyuryoku->setText(QStringLiteral("あたらしいことば"));
        form->cmdKakuninClick();
    }
}
BENCHMARK(BM_ConfirmAtFullMemory)->Unit(benchmark::kMicrosecond);
