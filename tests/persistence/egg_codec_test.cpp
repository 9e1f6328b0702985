#include "persistence/egg_codec.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

WordRecord rec(Field text, Field kind, Field sub = {}, Field like = {}, Field useful = {}, Field vulgar = {})
{
    return {text, kind, sub, like, useful, vulgar};
}

std::vector<WordRecord> decodeOk(QByteArrayView bytes)
{
    EggDecoded decoded = decodeEgg(bytes);
    EXPECT_TRUE(decoded.ok()) << decoded.error.toStdString();
    return decoded.content.records;
}

} // namespace

// Lines as the writer writes them, which the reader reads back, and lines
// only a hand or another program writes, which it reads all the same.
TEST(EggCodec, LinesWrittenAndRead)
{
    const WordRecord a1 = rec(s("a"), s("1"));
    const std::tuple<const char *, QByteArray, std::vector<WordRecord>, bool> cases[] = {
        {"date", "\"2026/12/06\",\"8\",,,,\r\n", {rec(s("2026/12/06"), s("8"))}, true},
        // おはよう, a greeting: its skipped question leaves empty text, not unset
        {"kind 3 word",
         "\"\x82\xa8\x82\xcd\x82\xe6\x82\xa4\",\"3\",\"\",\"1\",\"1\",\"2\"\r\n",
         {rec(s("おはよう"), s("3"), s(""), s("1"), s("1"), s("2"))},
         true},
        {"comma inside a text",
         "\"a,b\",\"1\",\"3\",\"2\",\"1\",\"2\"\r\n",
         {rec(s("a,b"), s("1"), s("3"), s("2"), s("1"), s("2"))},
         true},
        // ～ and ① exist only in the Microsoft variant of Shift_JIS
        {"code page 932 extras", "\"\x81\x60\x87\x40\xfb\xfc\",\"1\",,,,\r\n", {rec(s("～①髙"), s("1"))}, true},
        {"all unset", ",,,,,\r\n", {rec({}, {})}, true},
        {"blanks kept inside quotes", "\" a b \",\"\t\",,,,\r\n", {rec(s(" a b "), s("\t"))}, true},
        // Half-width kana and the backslash take one byte each.
        {"single-byte letters", "\"\xb1\xdf\\\",\"1\",,,,\r\n", {rec(s("ｱﾟ\\"), s("1"))}, true},
        {"empty file, read as a null array", QByteArray(), {}, true},
        {"spaces and tabs before a field", " \t\"a\",  \"1\",,,,\r\n", {a1}, false},
        {"text after a closing quote skipped", "\"a\"xyz ,\"1\"  ,,,,\r\n", {a1}, false},
        {"unquoted fields trimmed, spaces-only unset", "  abc  ,1,  ,,,\r\n", {rec(s("abc"), s("1"))}, false},
        {"empty quotes are empty text", "\"\",\"\",,,,\"\"\r\n", {rec(s(""), s(""), {}, {}, {}, s(""))}, true},
        {"a line end ends a field as a comma does",
         "\"a\",\"1\"\r\n\"x\",,,\r\n",
         {rec(s("a"), s("1"), s("x"))},
         false},
        {"lone LF and lone CR", "\"a\",\"1\",,,,\n\"a\",\"1\",,,,\r", {a1, a1}, false},
        {"no line end after the last record", "\"a\",\"1\",,,,", {a1}, false},
        {"empty lines after the last record", "\"a\",\"1\",,,,\r\n\r\n  \r\n", {a1}, false},
        {"a quoted text may hold a line end", "\"a\r\nb\",\"1\",,,,\r\n", {rec(s("a\r\nb"), s("1"))}, true},
    };
    for (const auto &[what, bytes, records, written] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(decodeOk(bytes), records);
        if (written) {
            EXPECT_EQ(encodeEgg(records).bytes, bytes);
        }
    }
}

// A text that holds a quote cannot stand in quotes; it is written bare
// where the reader gives it back whole, and refused, naming its record,
// where nothing can.
TEST(EggWriter, AQuoteInsideATextIsWrittenBareOrRefused)
{
    const std::pair<const char *, const char *> cases[] = {
        {"ab\"c", "ab\"c,\"1\",,,,\r\n"},
        {"say \"hi\"", "say \"hi\",\"1\",,,,\r\n"},
        {"\"hi\"", nullptr},    // read as a quoted "hi"
        {" a\"b", nullptr},     // the leading blank is skipped
        {"a\"b ", nullptr},     // the trailing space is trimmed
        {"a\"b,c", nullptr},    // the comma ends the field
        {"a\"b\r\nc", nullptr}, // so does the line end
    };
    for (const auto &[text, line] : cases) {
        SCOPED_TRACE(text);
        const WordRecord record = rec(s(text), s("1"));
        const EggEncoded encoded = encodeEgg(std::vector<WordRecord>{rec(s("ok"), s("1")), record});
        if (line) {
            ASSERT_TRUE(encoded.ok()) << encoded.error.toStdString();
            EXPECT_EQ(decodeOk(encoded.bytes), (std::vector<WordRecord>{rec(s("ok"), s("1")), record}));
            EXPECT_TRUE(encoded.bytes.endsWith(line));
        } else {
            EXPECT_TRUE(encoded.error.contains(s("2件目のレコード「") + s(text))) << encoded.error.toStdString();
        }
    }
}

TEST(EggReader, RefusesABrokenFileSayingWhyAndWhere)
{
    const QByteArray record = "\"w\",\"1\",\"1\",\"1\",\"1\",\"2\"\r\n";
    EXPECT_EQ(decodeOk(record.repeated(kMaxEggRecords)).size(), std::size_t(kMaxEggRecords));
    const std::tuple<const char *, QByteArray, int, const char *> cases[] = {
        {"truncated last record", "\"a\",\"1\",,,,\r\n\"b\",\"1\",\"2\"\r\n", 2, "途中で終わって"},
        {"unclosed quote", "\"a\",\"1\",,,,\r\n\r\n\"b\",\"1\",,,,\"x\r\n", 3, "閉じられていません"},
        {"a byte no code page 932 has, first", "\xff\"a\",\"1\",,,,\r\n", 1, "シフトJIS"},
        {"lead byte without its trail", "\"a\",\"1\",,,,\r\n\"\x82\",\"1\",,,,\r\n", 2, "シフトJIS"},
        {"byte no code page 932 has", "\"a\",\"1\",,,,\n\n\"\xff\",\"1\",,,,\n", 3, "シフトJIS"},
        {"byte no code page 932 has, after a first empty line", "\n\"\xff\",\"1\",,,,\n", 2, "シフトJIS"},
        {"lead byte cut off by the end", "\"a\",\"1\",,,,\r\n\x82", 2, "シフトJIS"},
        {"10001 records", record.repeated(kMaxEggRecords + 1), kMaxEggRecords + 1, "10001件目"},
        {"a byte no code page 932 has, in a last line without its end", "\"a\",\"1\",,,,\r\n\"\xff", 2, "シフトJIS"},
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

// A character cut in two at the end leaves its first byte: any of the two
// ranges of lead bytes, edges included; another byte there is no cut.
TEST(EggReader, ALeadByteAloneAtTheEndIsACharacterCutInTwo)
{
    for (const char lead : {'\x81', '\x9f', '\xe0', '\xfc'})
        EXPECT_EQ(decodeEgg(QByteArray("\"a\",\"1\",,,,\r\n\"") + lead).unfinishedBytes, 2) << int(uchar(lead));
    EXPECT_FALSE(decodeEgg("\"a\",\"1\",,,,\r\n\"\xa0").ok());
}

TEST(EggWriter, NamesTheWholeCharacterItCannotWrite)
{
    const EggEncoded later = encodeEgg(std::vector<WordRecord>{rec(s("ok"), s("1")), rec(s("b"), s("1"), s("1😀"))});
    EXPECT_TRUE(later.error.contains(s("「1😀」の文字「😀」"))) << later.error.toStdString();
    const QString cutPair = s("x") + QChar(0xD83D); // a surrogate whose pair is missing
    EXPECT_TRUE(encodeEggRecord(rec(cutPair, s("1"))).error.contains(s("「") + cutPair + s("」の文字「")));
    for (const char *text : {"x😀y", "😀"}) {
        const EggEncoded encoded = encodeEgg(std::vector<WordRecord>{rec(s(text), s("1"))});
        EXPECT_TRUE(encoded.error.contains(s("「") + s(text) + s("」の文字「😀」"))) << encoded.error.toStdString();
    }
}
