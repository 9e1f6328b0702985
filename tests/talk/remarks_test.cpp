#include "talk/remarks.h"

#include <gtest/gtest.h>

namespace {
WordRecord word(const char *kind, const char *sub)
{
    auto field = [](const char *v) { return v ? Field(QString::fromUtf8(v)) : Field(); };
    return {QStringLiteral("w"), field(kind), field(sub), {}, {}, {}};
}
} // namespace

TEST(Remarks, EveryTemplateWordForWord)
{
    const QString w = QStringLiteral("りんご"), n = QStringLiteral("たろう");
    struct Case { Generator generator; const char *liked; const char *disliked; };
    const Case cases[] = {
        {Generator::Job, "りんごになってみたいな。", "りんごのひとたちってこわいな。"},
        {Generator::Life, "りんごってかわいいな。", "こきたないりんごをみるとはきけがする。わたしにちかづけるな。"},
        {Generator::Food, "こないだりんごたべたぞ。", "こないだりんごたべたけどたろうがいうほどまずくはなかったな。"},
        {Generator::Do, "オイたろう、りんごがしたいぞ。", "りんごはしたくない。"},
        {Generator::Man, "りんごってイカスな。", "りんごっていけすかんな。"},
        {Generator::Group, "りんごにはいるにはどうしたらいいんだ？", "りんごのやつらってきにいらんな。"},
        {Generator::Place, "りんごつれてけ。", "りんごにつれてったらただじゃすまさんからな。"},
        {Generator::Aisatsu, "たろう、りんご　あいさつもいいもんだな。", "りんごか。つまらんあいさつだな。"},
        {Generator::Book, "りんごっておもしろいな。", "りんごってつまらんな。"},
        {Generator::MeiKaku, "曰く「りんご」", "曰く「りんご」"},
    };
    for (const Case &c : cases) {
        const RemarkTemplates t = remarkTemplates(c.generator, w, n);
        EXPECT_EQ(t.liked, QString::fromUtf8(c.liked));
        EXPECT_EQ(t.disliked, QString::fromUtf8(c.disliked));
    }
    // U+3000 and U+3001 as they stand, not ASCII look-alikes.
    const QString greeting = remarkTemplates(Generator::Aisatsu, w, n).liked;
    EXPECT_TRUE(greeting.contains(QChar(0x3000)));
    EXPECT_TRUE(greeting.contains(QChar(0x3001)));
}

TEST(Remarks, EmptyWordOrNameStillMakeASentence)
{
    EXPECT_EQ(remarkTemplates(Generator::Food, {}, QStringLiteral("N")).liked, u"こないだたべたぞ。");
    EXPECT_EQ(remarkTemplates(Generator::Do, QStringLiteral("W"), {}).liked, u"オイ、Wがしたいぞ。");
}

TEST(Remarks, GeneratorByKindAndSubKind)
{
    EXPECT_EQ(generatorFor(word("1", "1")), Generator::Job);
    EXPECT_EQ(generatorFor(word("1", "3")), Generator::Food);
    EXPECT_EQ(generatorFor(word("1", "4")), Generator::Do);
    EXPECT_EQ(generatorFor(word("2", "1")), Generator::Man);
    EXPECT_EQ(generatorFor(word("2", "3")), Generator::Place);
    EXPECT_EQ(generatorFor(word("2", "4")), Generator::Book);
    EXPECT_EQ(generatorFor(word("3", "")), Generator::Aisatsu);
    EXPECT_EQ(generatorFor(word("4", "")), Generator::MeiKaku);
    for (const char *kind : {"7", "8", "9"})
        EXPECT_EQ(generatorFor(word(kind, nullptr)), std::nullopt) << kind;
    // Only a hand-edited file holds these; they reach no generator.
    EXPECT_EQ(generatorFor(word("x", "1")), std::nullopt);
    EXPECT_EQ(generatorFor(word("1", "x")), std::nullopt);
    EXPECT_EQ(generatorFor(word("1", "5")), std::nullopt);
    EXPECT_EQ(generatorFor(word(nullptr, nullptr)), std::nullopt);
}

TEST(Draw, RoundsHalvesToEvenAndMapsOntoBothMemories)
{
    EXPECT_EQ(drawIndex(0.0, 3), 0);
    EXPECT_EQ(drawIndex(0.5, 1), 0);   // 0.5 -> 0
    EXPECT_EQ(drawIndex(0.5, 3), 2);   // 1.5 -> 2
    EXPECT_EQ(drawIndex(0.5, 5), 2);   // 2.5 -> 2
    EXPECT_EQ(drawIndex(0.7, 5), 4);   // 3.5 -> 4
    EXPECT_EQ(drawIndex(0.99, 3), 3);
    EXPECT_EQ(drawIndex(0.999999, 10101), 10101);

    // Five records from the file, four of this run.
    EXPECT_EQ(mapDraw(5, 5).memory, Memory::Data);
    EXPECT_EQ(mapDraw(5, 5).index, 5);
    EXPECT_EQ(mapDraw(6, 5).memory, Memory::NewData);
    EXPECT_EQ(mapDraw(6, 5).index, 0);
    EXPECT_EQ(mapDraw(9, 5).index, 3);
}
