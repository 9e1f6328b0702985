// The save file at its largest: opening 10000 records and saving them with a
// full run of 101 more, each measured beside its floor, the bare CP932
// conversion of the same bytes, which no reader or writer can beat.

#include "persistence/egg_file.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

// Words as users teach them: two to eight kana or kanji, the answers of the
// five questions, now and then a name or date record.
std::vector<WordRecord> generatedRecords(int count, unsigned seed)
{
    static const QString letters = QStringLiteral(
        "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
        "アイウエオカキクケコサシスセソタチツテトナニヌネノ犬猫鳥魚山川空海花草木本人名前言葉");
    std::mt19937 random(seed);
    auto code = [&](int highest) { return QString::number(1 + random() % highest); };
    std::vector<WordRecord> records(count);
    for (WordRecord &r : records) {
        QString text;
        for (unsigned n = 2 + random() % 7; n > 0; --n)
            text += letters.at(random() % letters.size());
        if (random() % 50 == 0) {
            r = {text, code(3) == u"1" ? Code::Name : Code::StartDate, {}, {}, {}, {}};
            continue;
        }
        const QString kind = code(4);
        r = {text, kind, kind.toInt() <= 2 ? code(4) : QString(), code(3), code(2), code(2)};
    }
    return records;
}

struct EggBenchFiles {
    QTemporaryDir dir;
    std::vector<WordRecord> loaded = generatedRecords(kMaxEggRecords, 1);
    std::vector<WordRecord> made = generatedRecords(kNewRecordSlots, 2);
    QString openName = dir.filePath(QStringLiteral("open.egg"));
    QString saveName = dir.filePath(QStringLiteral("save.egg"));
    QByteArray openBytes; // the 10000-record file
    QString saveText;     // the 10101-record file, decoded

    EggBenchFiles()
    {
        if (!saveEggFileAs(openName, loaded, {}).isEmpty() || !saveEggFileAs(saveName, loaded, made).isEmpty())
            qFatal("egg_bench: cannot write the files");
        openBytes = encodeEgg(loaded).bytes;
        saveText = QStringDecoder(kEggEncoding).decode(encodeEgg(loaded, made).bytes);
    }
};

EggBenchFiles &files()
{
    static EggBenchFiles instance;
    return instance;
}

void BM_EggOpen10000(benchmark::State &state)
{
    EggBenchFiles &f = files();
    for (auto _ : state) {
        EggLoad load = loadEggFile(f.openName);
        if (!load.content || load.content->records.size() != f.loaded.size())
            state.SkipWithError("the file did not open whole");
        benchmark::DoNotOptimize(load);
    }
    state.SetBytesProcessed(state.iterations() * f.openBytes.size());
}

void BM_EggOpen10000Floor(benchmark::State &state)
{
    EggBenchFiles &f = files();
    for (auto _ : state) {
        QStringDecoder decoder(kEggEncoding, QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(f.openBytes);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * f.openBytes.size());
}

void BM_EggSaveAs10101(benchmark::State &state)
{
    EggBenchFiles &f = files();
    for (auto _ : state) {
        const QString error = saveEggFileAs(f.saveName, f.loaded, f.made);
        if (!error.isEmpty())
            state.SkipWithError("the save failed");
    }
    state.SetBytesProcessed(state.iterations() * f.saveText.size());
}

// The writer alone, without the disk: where the save's time goes.
void BM_EggEncode10101(benchmark::State &state)
{
    EggBenchFiles &f = files();
    for (auto _ : state) {
        EggEncoded encoded = encodeEgg(f.loaded, f.made);
        benchmark::DoNotOptimize(encoded);
    }
    state.SetBytesProcessed(state.iterations() * f.saveText.size());
}

void BM_EggSaveAs10101Floor(benchmark::State &state)
{
    EggBenchFiles &f = files();
    for (auto _ : state) {
        QStringEncoder encoder(kEggEncoding, QStringEncoder::Flag::Stateless);
        QByteArray bytes = encoder.encode(f.saveText);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * f.saveText.size());
}

} // namespace

BENCHMARK(BM_EggOpen10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EggOpen10000Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EggSaveAs10101)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EggEncode10101)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EggSaveAs10101Floor)->Unit(benchmark::kMillisecond);
