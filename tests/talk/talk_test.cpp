#include "form_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

class TalkTest : public StageTest {
protected:
    const FrameStore &f = form->frames;
    QString said() const { return form->lblMessage->text(); }

    // After the name: NewData holds the two dates and the name (n = 3).
    void SetUp() override
    {
        form->txtNyuryoku->setText(QStringLiteral("N"));
        form->cmdKakuninClick();
    }
    void addWord(const char *text, const char *kind, const char *sub, const char *like,
                 const char *useful = "1", const char *vulgar = "2")
    {
        auto s = [](const char *v) { return QString::fromUtf8(v); };
        form->appendNewRecord({s(text), s(kind), s(sub), s(like), s(useful), s(vulgar)});
    }
    // A draw that lands on k out of n.
    void drawNext(int k) { host.draws.push_back((k + 0.1) / (form->i + form->DataMax)); }
};

TEST_F(TalkTest, MouthMovesForTwelveTicksAndClosesWithTheLast)
{
    form->imgKuchi->showFrame(f.img04);
    drawNext(0);
    form->tmrMessageTick();
    EXPECT_TRUE(form->tmrTalk->isActive());
    QString pattern;
    for (int tick = 1; tick <= 12; ++tick) {
        form->tmrTalkTick();
        pattern += form->imgKuchi->shows(f.img05) ? u'o' : u'-';
    }
    EXPECT_EQ(pattern, u"o-o-o-o-o-o-");
    EXPECT_FALSE(form->tmrTalk->isActive());
    EXPECT_EQ(form->TalkCount, 12);
}

TEST_F(TalkTest, FirstTickClosesADesignPictureOrBaredTeeth)
{
    ASSERT_EQ(form->imgKuchi->shownFrame(), nullptr);
    form->tmrTalkTick();
    EXPECT_TRUE(form->imgKuchi->shows(f.img04));
    form->imgKuchi->showFrame(f.img06);
    form->tmrTalkTick();
    EXPECT_TRUE(form->imgKuchi->shows(f.img04));
}

TEST_F(TalkTest, PromptRepeatAndRecordsWithoutAGenerator)
{
    drawNext(0);
    form->tmrMessageTick();
    EXPECT_EQ(said(), u"なにかことばおしえろ。");
    EXPECT_EQ(form->LastRand, 0);

    form->lblMessage->setText(QStringLiteral("..."));
    drawNext(0); // the same draw twice: no new sentence, no mouth
    form->tmrMessageTick();
    EXPECT_EQ(said(), u"...");
    EXPECT_FALSE(form->tmrTalk->isActive());

    for (int k = 1; k <= 3; ++k) { // start date, end date, name
        drawNext(k);
        form->tmrMessageTick();
        EXPECT_EQ(said(), u"...") << "draw " << k;
        EXPECT_TRUE(form->tmrTalk->isActive()) << "draw " << k;
        EXPECT_EQ(form->TalkFrom, u"q");
        EXPECT_EQ(form->Rand, k - 1);
    }
    EXPECT_EQ(form->TalkWord, u"N");
}

TEST_F(TalkTest, RemarksReadTheDrawnMemory)
{
    // Data(1) and NewData(1) share an index: the draw decides which counts.
    form->DataMax = 1;
    form->Data[1] = {QStringLiteral("ねこ"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                     QStringLiteral("1"), QStringLiteral("2")};
    addWord("すし", "1", "3", "1"); // NewData(3)

    drawNext(1);
    form->tmrMessageTick();
    EXPECT_EQ(form->TalkFrom, u"y");
    EXPECT_EQ(said(), u"こきたないねこをみるとはきけがする。わたしにちかづけるな。");
    EXPECT_FALSE(form->tmrTalk->isActive());
    EXPECT_TRUE(form->imgKuchi->shows(f.img06));

    drawNext(5);
    form->tmrMessageTick();
    EXPECT_EQ(form->TalkFrom, u"q");
    EXPECT_EQ(form->Rand, 3);
    EXPECT_EQ(said(), u"こないだすしたべたぞ。");
    EXPECT_TRUE(form->tmrTalk->isActive());
    EXPECT_FALSE(form->tmrAction->isActive()) << "an ordinary word plays no gag";
}

TEST_F(TalkTest, VulgarOrUselessWordsPlayTheGag)
{
    addWord("どく", "1", "3", "3", "2", "1"); // disliked, useless and vulgar food
    drawNext(4);
    form->tmrMessageTick();
    EXPECT_TRUE(form->tmrAction->isActive());
    EXPECT_FALSE(form->tmrAnime->isActive());
    EXPECT_EQ(said(), u"こないだどくたべたけどNがいうほどまずくはなかったな。");
    EXPECT_FALSE(form->tmrTalk->isActive());
    EXPECT_TRUE(form->imgKuchi->shows(f.img06));
}

TEST_F(TalkTest, EveryKindOfWordCanBeTalkedAbout)
{
    addWord("ほん", "2", "4", "2");
    addWord("こんにちは", "3", "", "1");
    addWord("急がば回れ", "4", "", "3");
    drawNext(4);
    form->tmrMessageTick();
    EXPECT_EQ(said(), u"ほんっておもしろいな。");
    drawNext(5);
    form->tmrMessageTick();
    EXPECT_EQ(said(), u"N、こんにちは　あいさつもいいもんだな。");
    drawNext(6);
    form->tmrMessageTick();
    EXPECT_EQ(said(), u"曰く「急がば回れ」");
    EXPECT_FALSE(form->tmrTalk->isActive()) << "only the stopped mouth shows the dislike";
}

TEST_F(TalkTest, NoRemarkWhileAQuestionIsOnScreen)
{
    form->txtNyuryoku->setText(QStringLiteral("いぬ"));
    form->cmdKakuninClick();
    EXPECT_FALSE(form->tmrMessage->isActive());
}
