#include "egg_test_files.h"
#include "persistence/egg_codec.h"

#include <gtest/gtest.h>

#include <random>

namespace {

WordRecord rec(Field text, Field kind, Field sub = {}, Field like = {}, Field useful = {},
               Field vulgar = {})
{
    return {std::move(text), std::move(kind), std::move(sub), std::move(like), std::move(useful),
            std::move(vulgar)};
}

std::vector<WordRecord> decodeOk(QByteArrayView bytes)
{
    EggDecoded decoded = decodeEgg(bytes);
    EXPECT_TRUE(decoded.ok()) << decoded.error.toStdString();
    return decoded.content.records;
}

} // namespace

TEST(EggWriter, GoldenLines)
{
    struct Case {
        const char *what;
        WordRecord record;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"start date", rec(s("2026/12/06"), s("8")), "\"2026/12/06\",\"8\",,,,\r\n"},
        {"end date", rec(s("2026/12/20"), s("7")), "\"2026/12/20\",\"7\",,,,\r\n"},
        // たろう in CP932
        {"name", rec(s("たろう"), s("9")), "\"\x82\xbd\x82\xeb\x82\xa4\",\"9\",,,,\r\n"},
        // おはよう, a greeting: its skipped question leaves empty text, not unset
        {"kind 3 word", rec(s("おはよう"), s("3"), s(""), s("1"), s("1"), s("2")),
         "\"\x82\xa8\x82\xcd\x82\xe6\x82\xa4\",\"3\",\"\",\"1\",\"1\",\"2\"\r\n"},
        {"comma inside a text", rec(s("a,b"), s("1"), s("3"), s("2"), s("1"), s("2")),
         "\"a,b\",\"1\",\"3\",\"2\",\"1\",\"2\"\r\n"},
        // ～ and ① exist only in the Microsoft variant of Shift_JIS
        {"code page 932 extras", rec(s("～①髙"), s("1")), "\"\x81\x60\x87\x40\xfb\xfc\",\"1\",,,,\r\n"},
        {"all unset", rec({}, {}), ",,,,,\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const EggEncoded encoded = encodeEggRecord(c.record);
        ASSERT_TRUE(encoded.ok()) << encoded.error.toStdString();
        EXPECT_EQ(encoded.bytes, c.bytes);
        const std::vector<WordRecord> back = decodeOk(c.bytes);
        ASSERT_EQ(back.size(), 1u);
        EXPECT_EQ(back[0], c.record);
    }
}

TEST(EggWriter, RefusesWhatCannotComeBackUnchanged)
{
    struct Case {
        const char *what;
        WordRecord record;
        const char *named; // the message names the text or character at fault
    };
    const Case cases[] = {
        {"double quote", rec(s("say \"hi\""), s("1")), "say \"hi\""},
        {"no CP932 code", rec(s("ok"), s("1"), s("3"), s("1"), s("1"), s("x😀y")), "😀"},
        {"Hangul", rec(s("한"), s("1")), "한"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<WordRecord> records{rec(s("fine"), s("1")), c.record};
        const EggEncoded encoded = encodeEgg(records);
        EXPECT_FALSE(encoded.ok());
        EXPECT_TRUE(encoded.bytes.isEmpty()) << "no partial or substituted bytes";
        EXPECT_TRUE(encoded.error.contains(s(c.named))) << encoded.error.toStdString();
    }
}

// What the reader gives back equals what the writer was given, over many
// generated records: texts from every script the game's users type, with
// commas and spaces in them, mixed with empty texts and unset fields.
TEST(EggRoundTrip, GeneratedRecordsComeBackEqual)
{
    const QString pool = s("abcXYZ019 ,.-_/\\~!?#%&'()=あいうえおをんがぱゃっー"
                           "アイウエオヴヵヶ漢字語言葉鳥魚犬猫髙﨑①Ⅱ㈱～－。、「」・　ｱｲｳｴｵﾟ");
    std::mt19937 random(20261206);
    auto field = [&]() -> Field {
        switch (random() % 6) {
        case 0:
        case 1:
            return std::nullopt;
        case 2:
            return QString();
        default: {
            QString text;
            for (unsigned n = 1 + random() % 12; n > 0; --n)
                text += pool.at(random() % pool.size());
            return text;
        }
        }
    };
    std::vector<WordRecord> records(3000);
    for (WordRecord &r : records)
        r = rec(field(), field(), field(), field(), field(), field());

    const EggEncoded encoded = encodeEgg(records);
    ASSERT_TRUE(encoded.ok()) << encoded.error.toStdString();
    EXPECT_EQ(encoded.bytes.count("\r\n"), qsizetype(records.size()));
    EXPECT_EQ(decodeOk(encoded.bytes), records);
}

TEST(EggReader, ReadingRules)
{
    const WordRecord a1 = rec(s("a"), s("1"));
    struct Case {
        const char *what;
        QByteArray bytes;
        std::vector<WordRecord> records;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"spaces and tabs before a field", " \t\"a\",  \"1\",,,,\r\n", {a1}},
        {"text after a closing quote skipped", "\"a\"xyz ,\"1\"  ,,,,\r\n", {a1}},
        {"unquoted fields trimmed, spaces-only unset", "  abc  ,1,  ,,,\r\n", {rec(s("abc"), s("1"))}},
        {"empty quotes are empty text", "\"\",\"\",,,,\"\"\r\n", {rec(s(""), s(""), {}, {}, {}, s(""))}},
        {"a line end ends a field as a comma does", "\"a\",\"1\"\r\n\"x\",,,\r\n",
         {rec(s("a"), s("1"), s("x"))}},
        {"lone LF and lone CR", "\"a\",\"1\",,,,\n\"a\",\"1\",,,,\r", {a1, a1}},
        {"no line end after the last record", "\"a\",\"1\",,,,", {a1}},
        {"empty lines after the last record", "\"a\",\"1\",,,,\r\n\r\n  \r\n", {a1}},
        {"a quoted text may hold a line end", "\"a\r\nb\",\"1\",,,,\r\n", {rec(s("a\r\nb"), s("1"))}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(decodeOk(c.bytes), c.records);
    }
}

TEST(EggReader, RebuildsTheValuesAnOpenTakes)
{
    const QByteArray bytes = "\"2026/01/01\",\"8\",,,,\r\n"
                             "\"2026/01/15\",\"7\",,,,\r\n"
                             "\"Ann\",\"9\",,,,\r\n"
                             "\"hi\",\"3\",\"\",\"1\",\"2\",\"1\"\r\n"
                             "\"Bob\",\"9\",,,,\r\n"
                             "\"yo\",\"3\",\"\",\"1\",\" 2\",\"1 \"\r\n" // not "2" nor "1" as texts
                             "\"w\",\"1\",\"1\",\"1\",\"2\",\"2\"\r\n";
    const EggDecoded decoded = decodeEgg(bytes);
    ASSERT_TRUE(decoded.ok());
    const EggContent &c = decoded.content;
    EXPECT_EQ(c.records.size(), 7u);
    EXPECT_EQ(c.yourName, s("Bob")) << "the last name record wins";
    EXPECT_EQ(c.startDate, s("2026/01/01"));
    EXPECT_EQ(c.endDate, s("2026/01/15"));
    EXPECT_EQ(c.lastGreeting, 6) << "Data index of the second greeting";
    EXPECT_EQ(c.dLevel, 2);
    EXPECT_EQ(c.eLevel, 1);

    const EggDecoded empty = decodeEgg("");
    EXPECT_FALSE(empty.content.yourName.has_value()) << "no record of a type leaves the value in force";
    EXPECT_EQ(empty.content.lastGreeting, -1);
}

TEST(EggReader, RefusesABrokenFileSayingWhyAndWhere)
{
    QByteArray tooMany;
    for (int k = 0; k <= kMaxEggRecords; ++k)
        tooMany += "\"w\",\"1\",\"1\",\"1\",\"1\",\"2\"\r\n";
    struct Case {
        const char *what;
        QByteArray bytes;
        int line;
        const char *why;
    };
    const Case cases[] = {
        {"truncated last record", "\"a\",\"1\",,,,\r\n\"b\",\"1\",\"2\"\r\n", 2, "途中で終わって"},
        {"five fields and a line end", "\"a\",\"1\",,,\r\n", 1, "途中で終わって"},
        {"unclosed quote", "\"a\",\"1\",,,,\r\n\r\n\"b\",\"1\",,,,\"x\r\n", 3, "閉じられていません"},
        {"lead byte without its trail", "\"a\",\"1\",,,,\r\n\"\x82\",\"1\",,,,\r\n", 2, "シフトJIS"},
        {"byte no code page 932 has", "\"a\",\"1\",,,,\n\n\"\xff\",\"1\",,,,\n", 3, "シフトJIS"},
        {"lead byte cut off by the end", "\"a\",\"1\",,,,\r\n\x82", 2, "シフトJIS"},
        {"10001 records", tooMany, kMaxEggRecords + 1, "10001件目"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const EggDecoded decoded = decodeEgg(c.bytes);
        EXPECT_FALSE(decoded.ok());
        EXPECT_EQ(decoded.line, c.line);
        EXPECT_TRUE(decoded.error.contains(QString::number(c.line) + s("行目"))) << decoded.error.toStdString();
        EXPECT_TRUE(decoded.error.contains(s(c.why))) << decoded.error.toStdString();
        EXPECT_TRUE(decoded.content.records.empty()) << "nothing of a refused file is handed back";
    }
    tooMany.chop(sizeof("\"w\",\"1\",\"1\",\"1\",\"1\",\"2\"\r\n") - 1);
    EXPECT_EQ(decodeEgg(tooMany).content.records.size(), std::size_t(kMaxEggRecords));
}
