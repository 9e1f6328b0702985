// The farewell scene through its button, line by line, to the goodbye.

#include "form_fixture.h"

using namespace Qt::Literals::StringLiterals;

using EndingTest = StageTest;

TEST_F(EndingTest, TheWholeScriptThenGoodbye)
{
    enter(u"Ann"_s);
    form->show();
    form->Ending();
    Form4 *ending = form->endingWindow;
    ASSERT_TRUE(ending);
    EXPECT_FALSE(form->isVisible()) << "the stage hides for the scene";
    EXPECT_EQ(ending->lblMessage->text(), u"・・・・・。");
    form->YourName = u"changed later"_s; // the scene keeps its copy

    const char *const script[] = {
        "Ann、元気か？",
        "わたしか？わたしも元気だよ。",
        "ん？なんだその気持ち悪いものを見る顔は。",
        "急に何を言い出すのかって？",
        "・・・確かに私らしくないな。",
        "なあ、Ann、おまえ、私がいなくなったら悲しいか？",
        "・・・・・",
        "そうか。",
        "・・・・・",
        "もう気づいてるか？",
        "・・・・・",
        "星に帰るときがきたよ。",
        "・・・・・",
        "Ann、これは私たちが出会ったときから決まっていたことなのだ。",
        "なあ、Ann。",
        "・・・・・",
        "Annといっしょにいた時間・・・",
        "悪くはなかったな。",
        "・・・・・",
        "Ann、お前はどうだった？",
        "私と過ごした時間は楽しかったか？",
        "・・・・・",
        "そうか・・・",
        "そろそろ時間だな。",
        "・・・・・",
        "Ann、・・・今まで・・・・",
        "今までありがとう。",
    };
    static_assert(std::size(script) == 27);
    for (size_t line = 0; line < std::size(script); ++line) {
        SCOPED_TRACE("script line " + std::to_string(line));
        click(ending->cmdNext);
        const QString text = QString::fromUtf8(script[line]);
        EXPECT_EQ(ending->lblMessage->text(), text) << "進む (cmdNext) shows the next line";
        EXPECT_EQ(ending->tmrTalk->isActive(), text != u"・・・・・") << "the mouth talks unless the line is silent";
    }
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(host.exits, 0);

    host.scene = [this] { return QStringLiteral("exits: %1").arg(host.exits); };
    click(ending->cmdNext);
    EXPECT_EQ(host.scenes, QStringList{u"exits: 0 / box: ばいばい。"_s});
    EXPECT_EQ(host.exits, 1) << "the program ends when the box is closed";
}

// The scene's own timers move its own face.
TEST_F(EndingTest, MouthAndEyesOfTheScene)
{
    form->Ending();
    Form4 *ending = form->endingWindow;
    ASSERT_TRUE(ending);
    const FrameStore &f = form->frames;
    tick(ending->tmrAnime);
    EXPECT_TRUE(ending->imgEye->shows(f.img01)) << "the first blink tick only opens the look-alike eyes";
    EXPECT_FALSE(ending->tmrAnime->isActive());
    tick(ending->tmrTiming);
    EXPECT_TRUE(ending->tmrAnime->isActive()) << "tmrTiming starts a blink";

    click(ending->cmdNext);
    tick(ending->tmrTalk);
    tick(ending->tmrTalk);
    EXPECT_TRUE(ending->imgKuchi->shows(f.img05)) << "tmrTalk moves the mouth: closed from the design picture, then open";
    while (ending->ScriptLine < 7) // line 6 is silent: the mouth stops open, as it is
        click(ending->cmdNext);
    EXPECT_TRUE(ending->imgKuchi->shows(f.img05) && !ending->tmrTalk->isActive());
}
