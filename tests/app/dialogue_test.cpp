#include "form_fixture.h"

#include <algorithm>

class DialogueTest : public StageTest {
protected:
    QString said() const { return form->lblMessage->text(); }
    QString captions() const
    {
        QStringList list;
        for (ChoiceLabel *label : form->lblSentaku)
            list << label->text() + (label->isEnabled() ? QString() : QStringLiteral("(x)"));
        return list.join(u'|');
    }
    void type(const QString &text)
    {
        form->txtNyuryoku->setText(text);
        form->cmdKakuninClick();
    }
    void answerName() { type(QStringLiteral("N")); }
    // Teaches a new word with the given clicks, one per question.
    void teach(const QString &word, std::initializer_list<int> clicks)
    {
        type(word);
        for (int k : clicks) {
            form->lblSentakuClick(k);
            form->cmdKakuninClick();
        }
    }
    // The entry box is open and empty again, and remarks may follow.
    void expectWaiting() const
    {
        EXPECT_TRUE(form->txtNyuryoku->isEnabled());
        EXPECT_TRUE(form->txtNyuryoku->text().isEmpty());
        EXPECT_TRUE(form->tmrMessage->isActive());
    }
};

TEST_F(DialogueTest, NameIsTakenAsTyped)
{
    type(QStringLiteral("  たろう "));
    EXPECT_EQ(said(), u"そうか、おまえのなまえは  たろう なんだな。");
    EXPECT_EQ(form->YourName, u"  たろう ");
    EXPECT_EQ(form->NewData[2], (WordRecord{QStringLiteral("  たろう "), Code::Name, {}, {}, {}, {}}));
    EXPECT_EQ(std::tuple(form->i, form->Level, form->Step), std::tuple(3, 3, 0));
    EXPECT_TRUE(form->statusmenu->isEnabled());
    expectWaiting();
    EXPECT_TRUE(form->tmrTenmetsu->isActive()) << "the first confirmation sets the blink going";

    form->NewGame();
    type(QString());
    EXPECT_EQ(said(), u"そうか、おまえのなまえはなんだな。") << "an empty name is a name";
}

TEST_F(DialogueTest, NewGameMidQuestionReturnsToIdleOnANewPeriod)
{
    answerName();
    teach(QStringLiteral("りんご"), {1});
    form->lblSentakuClick(2);
    form->lblSentaku[1]->setOpaque(true);
    form->txtNyuryoku->setText(QStringLiteral("りんご"));
    form->FileName = QStringLiteral("/tmp/x.egg");
    form->DataMax = 40;
    form->ELevel = 3;
    form->tmrTalk->start();

    host.date = QDate(2026, 12, 20);
    form->NewGame();
    EXPECT_EQ(form->NewData[0], (WordRecord{QStringLiteral("2026/12/20"), Code::StartDate, {}, {}, {}, {}}));
    EXPECT_EQ(form->NewData[1], (WordRecord{QStringLiteral("2027/01/03"), Code::EndDate, {}, {}, {}, {}}));
    EXPECT_EQ(std::tuple(form->i, form->DataMax, form->Level, form->ELevel, form->Step, form->Choice),
              std::tuple(2, 0, 2, 0, -1, 0));
    EXPECT_EQ(QStringList({form->FileName, form->NewWord, form->Answer1, form->txtNyuryoku->text()}), QStringList(4));
    EXPECT_EQ(form->YourName, u"N") << "kept until the name is answered again";
    EXPECT_FALSE(form->tmrTalk->isActive() || form->statusmenu->isEnabled());
    EXPECT_TRUE(form->txtNyuryoku->isEnabled());
    EXPECT_EQ(captions(), u"(x)|(x)|(x)|(x)");
    EXPECT_FALSE(std::ranges::any_of(form->lblSentaku, &ChoiceLabel::isOpaque));

    host.date = QDate(2028, 2, 20); // a leap year
    form->NewGame();
    EXPECT_EQ(QStringList({form->StartDate, form->EndDate}), QStringList({"2028/02/20", "2028/03/05"}));
    EXPECT_EQ(host.seeds, 3) << "every new game reseeds from the clock";
}

TEST_F(DialogueTest, TheAppleExchange)
{
    answerName();
    type(QStringLiteral("りんご"));
    EXPECT_EQ(said(), u"りんごってなんだ？");
    EXPECT_EQ(captions(), u"一般的なことば|固有のことば|あいさつのことば|名言、格言");
    form->cmdKakuninClick(); // no answer chosen yet
    EXPECT_EQ(said(), u"ゴルァァ！！");
    EXPECT_EQ(form->Step, 1);
    EXPECT_TRUE(form->imgEye->shows(form->frames.img02));
    EXPECT_TRUE(form->imgKuchi->shows(form->frames.img06));
    const struct {
        int click;
        const char *onClick, *onConfirm, *captions;
    } steps[] = {
        {1, "りんごって一般的なことばなのか？", "りんごってなんだ？", "しごと|いきもの|たべもの|やること"},
        {3, "りんごってたべものなのか？", "Nはりんごってすきなのか？", "すき|ふつう|きらい|(x)"},
        {1, "りんごってすきなのか？", "りんごってためになるのか？", "ためになる|ダメになる|(x)|(x)"},
        {1, "りんごってためになるなのか？", "それ・・・ゲヒンなことばじゃないよな。", "ゲヒンなことば|ふつうのことば|(x)|(x)"},
        {2, "りんごってふつうのことばなのか？", "なんだ、つまらんな。", "(x)|(x)|(x)|(x)"},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.onClick);
        form->lblSentakuClick(step.click);
        EXPECT_EQ(said(), QString::fromUtf8(step.onClick));
        EXPECT_FALSE(form->txtNyuryoku->isEnabled()) << "the word is locked during its questions";
        EXPECT_FALSE(form->tmrMessage->isActive()) << "no remark may overwrite a question";
        form->cmdKakuninClick();
        EXPECT_EQ(said(), QString::fromUtf8(step.onConfirm));
        EXPECT_EQ(captions(), QString::fromUtf8(step.captions));
    }
    EXPECT_EQ(form->NewData[3], (WordRecord{QStringLiteral("りんご"), QStringLiteral("1"), QStringLiteral("3"),
                                            QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(std::tuple(form->i, form->Level, form->Step, form->Choice), std::tuple(4, 4, 0, 0));
    expectWaiting();
    EXPECT_TRUE(form->imgEye->shows(form->frames.img02));
    EXPECT_TRUE(form->imgKuchi->shows(form->frames.img04));

    type(QStringLiteral("りんご"));
    EXPECT_EQ(said(), u"りんごってしってる。");
    EXPECT_EQ(form->i, 4) << "nothing stored twice";
}

TEST_F(DialogueTest, VulgarGreetingAndKnownWords)
{
    answerName();
    form->tmrTalk->start();
    teach(QStringLiteral("うんこ"), {1, 3, 3, 2, 1});
    EXPECT_EQ(said(), u"そんなモノわたしにおしえるな。");
    EXPECT_TRUE(form->imgKuchi->shows(form->frames.img06));
    EXPECT_FALSE(form->tmrTalk->isActive()) << "the bared teeth stay";
    EXPECT_EQ(std::tuple(form->ELevel, form->DLevel, form->Level), std::tuple(1, 1, 4));

    teach(QStringLiteral("おはよう"), {3, 2, 1, 2});
    EXPECT_EQ(form->NewData[4].SubKind, u"") << "a greeting skips its sort: empty text, not unset";
    EXPECT_EQ(std::tuple(form->ELevel, form->DLevel, form->Level), std::tuple(1, 1, 5));

    type(QStringLiteral("うんこ"));
    EXPECT_EQ(said(), u"うんこってしってる。でもうんこってきらいなんだろ。");
    form->DataMax = 1; // a word from the opened file
    form->Data[1] = {QStringLiteral("ねこ"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                     QStringLiteral("1"), QStringLiteral("2")};
    type(QStringLiteral("ねこ"));
    EXPECT_EQ(said(), u"ねこってしってる。でもねこってきらいなんだろ。");
    type(QStringLiteral("N"));
    EXPECT_EQ(said(), u"Nってしってる。") << "the name record has no liking";
    type(form->StartDate);
    EXPECT_EQ(said(), form->StartDate + QStringLiteral("ってしってる。"));
    type(QString());
    EXPECT_EQ(said(), u"なにもおしえてくれないのか？");
}

TEST_F(DialogueTest, GreetingSkipsTheSortAndBackKeepsItsQuirks)
{
    answerName();
    type(QStringLiteral("やあ"));
    form->lblSentakuClick(3);
    form->lblSentakuClick(1); // the last click counts
    form->lblSentakuClick(3);
    form->cmdKakuninClick();
    EXPECT_EQ(form->Step, 3);
    EXPECT_EQ(said(), u"Nはやあってすきなのか？");

    // Back from 3 of a greeting: a question 2 still wearing question 3's
    // captions, all four clickable.
    form->cmdModoruClick();
    EXPECT_EQ(form->Step, 2);
    EXPECT_EQ(captions(), u"すき|ふつう|きらい|");
    form->lblSentakuClick(4);
    EXPECT_EQ(form->Answer2, u"4");
    form->cmdKakuninClick();
    EXPECT_EQ(form->Step, 3);

    // A click made before going back lets confirm advance at once.
    form->lblSentakuClick(2);
    form->cmdModoruClick();
    form->cmdKakuninClick();
    EXPECT_EQ(form->Step, 3);
    EXPECT_EQ(form->Answer2, u"4");

    // Back from 2 to 1 shows question 1's captions and keeps the sentence.
    form->cmdModoruClick();
    form->cmdModoruClick();
    EXPECT_EQ(form->Step, 1);
    EXPECT_EQ(captions(), u"一般的なことば|固有のことば|あいさつのことば|名言、格言");
    EXPECT_EQ(said(), u"Nはやあってすきなのか？");
    form->cmdModoruClick();
    EXPECT_EQ(form->Step, 1) << "back on question 1 stays there";
}

TEST_F(DialogueTest, RefusesTextTheSaveFileCannotHoldAndWordsBeyondTheMemory)
{
    for (const char *odd : {"say \"hi\"", "a\tb", "😀"}) {
        SCOPED_TRACE(odd);
        type(QString::fromUtf8(odd));
        // Two talk intervals pass: silence, as no name was taken.
        for (int tick = 0; tick < 2 && form->tmrMessage->isActive(); ++tick)
            form->tmrMessageTick();
        EXPECT_EQ(said(), u"そんなへんなもじはおぼえられん。");
        EXPECT_EQ(std::pair(form->Step, form->i), (std::pair<Int16, Int16>(-1, 2))) << "the name is still asked";
        EXPECT_FALSE(form->tmrMessage->isActive());
        EXPECT_TRUE(form->txtNyuryoku->isEnabled() && form->txtNyuryoku->text().isEmpty());
    }
    answerName();
    EXPECT_EQ(form->YourName, u"N");
    type(QStringLiteral("\"quoted\""));
    EXPECT_EQ(said(), u"そんなへんなもじはおぼえられん。");
    EXPECT_EQ(std::pair(form->Step, form->i), (std::pair<Int16, Int16>(0, 3)));
    type(QStringLiteral("　")); // spaces are a word like any other
    EXPECT_EQ(form->Step, 1);
    form->lblSentakuClick(2);
    form->cmdKakuninClick();
    EXPECT_EQ(captions(), u"ひとのなまえ|だんたい|ばしょ|本のなまえ");

    form->NewGame();
    answerName();
    form->i = kNewDataSlots;
    type(QStringLiteral("もも"));
    EXPECT_EQ(said(), u"もうあたまがいっぱいだ。");
    EXPECT_EQ(form->Step, 0);
    expectWaiting();
    form->i = kNewDataSlots - 1; // one slot left: the word is asked and stored
    teach(QStringLiteral("もも"), {1, 3, 1, 1, 2});
    EXPECT_EQ(form->i, kNewDataSlots);
    EXPECT_EQ(form->NewData[kNewDataSlots - 1].Text, u"もも");
}

