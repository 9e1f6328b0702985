#include "persistence/egg_codec.h"
#include "test_files.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <chrono>

namespace {

// What the writer makes of a "> " line's record (its fields split at "|",
// empty ones unset), written after a first one.
QStringList written(const QString &line)
{
    const QStringList f = QString::fromUtf8(unescaped(line)).split(u'|');
    const auto field = [&](int i) { return f.value(i).isEmpty() ? Field() : Field(f[i]); };
    const std::vector<WordRecord> records{{s("ok"), s("1"), {}, {}, {}, {}},
                                          {field(0), field(1), field(2), field(3), field(4), field(5)}};
    const EggEncoded encoded = encodeEgg(records);
    if (!encoded.ok())
        return {QStringLiteral("! ") + escaped(encoded.error)};
    const qsizetype first = encodeEggRecord(records[0]).bytes.size();
    return {QStringLiteral("= ") + escaped(QStringDecoder("windows-31j").decode(encoded.bytes.sliced(first))),
            decodeEgg(encoded.bytes).content.records == records ? QStringLiteral("= reads back alike")
                                                                : QStringLiteral("= reads back otherwise")};
}

} // namespace

// egg-files.txt: each "< " line spells a file's bytes, each "> " line a
// record to write; the lines after it, what the reader or the writer makes
// of them, are written afresh and the whole compared.
TEST(EggCodec, FilesReadAndWrittenBack)
{
    const QString path = QStringLiteral(NANAIRO_TEST_DATA "/egg-files.txt");
    QStringList out;
    for (const QString &line : QString::fromUtf8(bytesOf(path)).split(u'\n')) {
        if (line.startsWith(u"= ") || line.startsWith(u"! "))
            continue;
        out << line;
        if (line.startsWith(u'>'))
            out << written(line.mid(2));
        if (!line.startsWith(u'<'))
            continue;
        const QByteArray bytes = unescaped(line.mid(2));
        const EggDecoded read = decodeEgg(bytes);
        for (const WordRecord &record : read.content.records)
            out << QStringLiteral("= ") + escaped(QString::fromStdString(testing::PrintToString(record)));
        if (!read.ok()) {
            out << QStringLiteral("! line %1: %2").arg(read.line).arg(read.error);
            continue;
        }
        QStringList how{QStringLiteral("= read")};
        if (read.unfinishedBytes)
            how << QStringLiteral("%1 bytes unfinished").arg(read.unfinishedBytes);
        if (read.lastRecordOpen)
            how << QStringLiteral("last record open");
        if (encodeEgg(read.content.records).bytes == bytes)
            how << QStringLiteral("written back alike");
        out << how.join(QStringLiteral(", "));
    }
    expectGoldenText(path, out.join(u'\n'));
}

// The files too large for egg-files.txt.
TEST(EggReader, RefusesABrokenFileSayingWhyAndWhere)
{
    const QByteArray record = "\"w\",\"1\",\"1\",\"1\",\"1\",\"2\"\r\n";
    EXPECT_EQ(decodeEgg(record.repeated(kMaxEggRecords)).content.records.size(), std::size_t(kMaxEggRecords));
    const std::tuple<const char *, QByteArray, int, const char *> cases[] = {
        {"10001 records", record.repeated(kMaxEggRecords + 1), kMaxEggRecords + 1, "10001件目"},
        // A damaged file as large as may be opened: refused at once, not after minutes.
        {"16 MB of line feeds, then a bad byte", QByteArray(16 << 20, '\n') + "\xff", (16 << 20) + 1, "シフトJIS"},
        {"32 MB of carriage returns, the last a bad byte", QByteArray((32 << 20) - 1, '\r') + "\xff", 32 << 20,
         "シフトJIS"},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const auto &[what, bytes, line, why] : cases) {
        SCOPED_TRACE(what);
        const EggDecoded decoded = decodeEgg(bytes);
        EXPECT_EQ(decoded.line, line);
        EXPECT_TRUE(decoded.error.contains(QString::number(line) + s("行目"))) << decoded.error.toStdString();
        EXPECT_TRUE(decoded.error.contains(s(why))) << decoded.error.toStdString();
        EXPECT_TRUE(decoded.content.records.empty()) << "nothing of a refused file is handed back";
    }
    // A window waits on this; it took over a minute with one decoder a line.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

// egg-files.txt cannot hold half a surrogate pair.
TEST(EggWriter, NamesTheWholeCharacterItCannotWrite)
{
    const QString cutPair = s("x") + QChar(0xD83D);
    EXPECT_TRUE(encodeEggRecord({cutPair, s("1"), {}, {}, {}, {}}).error.contains(s("「") + cutPair + s("」の文字「")));
}
