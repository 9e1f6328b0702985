#include "form_fixture.h"

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
    // Runs the remark timer with a draw that lands on k out of n.
    void talkAbout(int k)
    {
        host.draws.push_back((k + 0.1) / (form->i + form->DataMax));
        form->tmrMessageTick();
    }
};

TEST_F(TalkTest, MouthMovesForTwelveTicksAndClosesWithTheLast)
{
    // The first tick closes a design picture or bared teeth.
    ASSERT_EQ(form->imgKuchi->shownFrame(), nullptr);
    form->tmrTalkTick();
    EXPECT_TRUE(form->imgKuchi->shows(f.img04));
    form->imgKuchi->showFrame(f.img06);
    form->tmrTalkTick();
    EXPECT_TRUE(form->imgKuchi->shows(f.img04));

    talkAbout(0);
    EXPECT_TRUE(form->tmrTalk->isActive());
    QString pattern;
    for (int tick = 1; tick <= 12; ++tick) {
        form->tmrTalkTick();
        pattern += form->imgKuchi->shows(f.img05) ? u'o' : u'-';
    }
    EXPECT_EQ(pattern, u"o-o-o-o-o-o-");
    EXPECT_FALSE(form->tmrTalk->isActive());
}

TEST_F(TalkTest, PromptRepeatAndRecordsWithoutAGenerator)
{
    talkAbout(0);
    EXPECT_EQ(said(), u"なにかことばおしえろ。");

    form->lblMessage->setText(QStringLiteral("..."));
    talkAbout(0); // the same draw twice: no new sentence, no mouth
    EXPECT_EQ(said(), u"...");
    EXPECT_FALSE(form->tmrTalk->isActive());

    for (int k = 1; k <= 3; ++k) { // start date, end date, name
        SCOPED_TRACE(k);
        talkAbout(k);
        EXPECT_EQ(said(), u"...");
        EXPECT_TRUE(form->tmrTalk->isActive());
        EXPECT_EQ(form->Rand, k - 1);
    }
    EXPECT_EQ(form->TalkWord, u"N");
}

TEST_F(TalkTest, RemarksReadTheDrawnMemoryAndShowTheLiking)
{
    // Data(1) and NewData(1) share an index: the draw decides which counts.
    form->DataMax = 1;
    form->Data[1] = {QStringLiteral("ねこ"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                     QStringLiteral("1"), QStringLiteral("2")};
    addWord("すし", "1", "3", "1"); // NewData(3)
    addWord("ほん", "2", "4", "2"); // NewData(4), neither liked nor disliked
    addWord("どく", "1", "3", "3", "2", "1"); // NewData(5): disliked, useless and vulgar food

    talkAbout(1);
    EXPECT_EQ(form->TalkFrom, u"y");
    EXPECT_EQ(said(), u"こきたないねこをみるとはきけがする。わたしにちかづけるな。");
    EXPECT_FALSE(form->tmrTalk->isActive());
    EXPECT_TRUE(form->imgKuchi->shows(f.img06));

    talkAbout(5);
    EXPECT_EQ(form->TalkFrom, u"q");
    EXPECT_EQ(form->Rand, 3);
    EXPECT_EQ(said(), u"こないだすしたべたぞ。");
    EXPECT_TRUE(form->tmrTalk->isActive());
    EXPECT_FALSE(form->tmrAction->isActive()) << "an ordinary word plays no gag";

    talkAbout(6);
    EXPECT_EQ(said(), u"ほんっておもしろいな。");
    EXPECT_TRUE(form->tmrTalk->isActive());

    talkAbout(7);
    EXPECT_EQ(said(), u"こないだどくたべたけどNがいうほどまずくはなかったな。");
    EXPECT_TRUE(form->tmrAction->isActive()) << "a vulgar or useless word plays the gag";
    EXPECT_FALSE(form->tmrAnime->isActive());
    EXPECT_FALSE(form->tmrTalk->isActive());
    EXPECT_TRUE(form->imgKuchi->shows(f.img06));
}
