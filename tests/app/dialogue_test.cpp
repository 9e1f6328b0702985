#include "app/stage_widgets.h"
#include "form_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

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
    void answerName(const QString &name = QStringLiteral("N")) { type(name); }
    // Teaches a new word with the given clicks, one per question.
    void teach(const QString &word, std::initializer_list<int> clicks)
    {
        type(word);
        for (int k : clicks) {
            form->lblSentakuClick(k);
            form->cmdKakuninClick();
        }
    }
};

TEST_F(DialogueTest, NameIsTakenAsTyped)
{
    type(QStringLiteral("  たろう "));
    EXPECT_EQ(said(), u"そうか、おまえのなまえは  たろう なんだな。");
    EXPECT_EQ(form->YourName, u"  たろう ");
    EXPECT_EQ(form->NewData[2], (WordRecord{QStringLiteral("  たろう "), Code::Name, {}, {}, {}, {}}));
    EXPECT_EQ(form->i, 3);
    EXPECT_EQ(form->Level, 3);
    EXPECT_EQ(form->Step, 0);
    EXPECT_TRUE(form->statusmenu->isEnabled());
    EXPECT_TRUE(form->tmrMessage->isActive());
    EXPECT_TRUE(form->txtNyuryoku->text().isEmpty());
    EXPECT_TRUE(form->tmrTenmetsu->isActive()) << "the first confirmation sets the blink going";

    form->NewGame();
    type(QString());
    EXPECT_EQ(said(), u"そうか、おまえのなまえはなんだな。") << "an empty name is a name";
}

TEST_F(DialogueTest, TheAppleExchange)
{
    answerName();
    const std::pair<std::function<void()>, const char *> steps[] = {
        {[&] { type(QStringLiteral("りんご")); }, "りんごってなんだ？"},
        {[&] { form->lblSentakuClick(1); }, "りんごって一般的なことばなのか？"},
        {[&] { form->cmdKakuninClick(); }, "りんごってなんだ？"},
        {[&] { form->lblSentakuClick(3); }, "りんごってたべものなのか？"},
        {[&] { form->cmdKakuninClick(); }, "Nはりんごってすきなのか？"},
        {[&] { form->lblSentakuClick(1); }, "りんごってすきなのか？"},
        {[&] { form->cmdKakuninClick(); }, "りんごってためになるのか？"},
        {[&] { form->lblSentakuClick(1); }, "りんごってためになるなのか？"},
        {[&] { form->cmdKakuninClick(); }, "それ・・・ゲヒンなことばじゃないよな。"},
        {[&] { form->lblSentakuClick(2); }, "りんごってふつうのことばなのか？"},
        {[&] { form->cmdKakuninClick(); }, "なんだ、つまらんな。"},
    };
    const char *expectedCaptions[] = {
        "一般的なことば|固有のことば|あいさつのことば|名言、格言", nullptr,
        "しごと|いきもの|たべもの|やること", nullptr,
        "すき|ふつう|きらい|(x)", nullptr,
        "ためになる|ダメになる|(x)|(x)", nullptr,
        "ゲヒンなことば|ふつうのことば|(x)|(x)", nullptr,
        "(x)|(x)|(x)|(x)",
    };
    for (size_t n = 0; n < std::size(steps); ++n) {
        steps[n].first();
        EXPECT_EQ(said(), QString::fromUtf8(steps[n].second)) << "step " << n + 1;
        if (expectedCaptions[n]) {
            EXPECT_EQ(captions(), QString::fromUtf8(expectedCaptions[n])) << "step " << n + 1;
        }
        if (n < std::size(steps) - 1) {
            EXPECT_FALSE(form->txtNyuryoku->isEnabled()) << "the word is locked during its questions";
            EXPECT_FALSE(form->tmrMessage->isActive()) << "no remark may overwrite a question";
        }
    }
    EXPECT_EQ(form->NewData[3], (WordRecord{QStringLiteral("りんご"), QStringLiteral("1"), QStringLiteral("3"),
                                            QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(form->i, 4);
    EXPECT_EQ(form->Level, 4);
    EXPECT_EQ(form->Step, 0);
    EXPECT_EQ(form->Choice, 0);
    EXPECT_TRUE(form->txtNyuryoku->isEnabled());
    EXPECT_TRUE(form->txtNyuryoku->text().isEmpty());
    EXPECT_TRUE(form->tmrMessage->isActive());
    EXPECT_TRUE(form->imgEye->shows(form->frames.img02));
    EXPECT_TRUE(form->imgKuchi->shows(form->frames.img04));
    for (ChoiceLabel *label : form->lblSentaku)
        EXPECT_TRUE(label->isVisible() || !form->isVisible()) << "shown once, never hidden again";

    type(QStringLiteral("りんご"));
    EXPECT_EQ(said(), u"りんごってしってる。");
    EXPECT_EQ(form->i, 4) << "nothing stored twice";
}

TEST_F(DialogueTest, VulgarUselessAndDislikedWords)
{
    answerName();
    form->tmrTalk->start();
    teach(QStringLiteral("うんこ"), {1, 3, 3, 2, 1});
    EXPECT_EQ(said(), u"そんなモノわたしにおしえるな。");
    EXPECT_TRUE(form->imgKuchi->shows(form->frames.img06));
    EXPECT_FALSE(form->tmrTalk->isActive()) << "the bared teeth stay";
    EXPECT_EQ(form->ELevel, 1);
    EXPECT_EQ(form->DLevel, 1);
    EXPECT_EQ(form->Level, 4);

    teach(QStringLiteral("おはよう"), {3, 2, 1, 2});
    EXPECT_EQ(form->NewData[4].SubKind, u"") << "a greeting skips its sort: empty text, not unset";
    EXPECT_EQ(form->ELevel, 1);
    EXPECT_EQ(form->DLevel, 1);
    EXPECT_EQ(form->Level, 5);

    type(QStringLiteral("うんこ"));
    EXPECT_EQ(said(), u"うんこってしってる。でもうんこってきらいなんだろ。");
    type(QStringLiteral("N"));
    EXPECT_EQ(said(), u"Nってしってる。") << "the name record has no liking";
    type(form->StartDate);
    EXPECT_EQ(said(), form->StartDate + QStringLiteral("ってしってる。"));
    type(QString());
    EXPECT_EQ(said(), u"なにもおしえてくれないのか？");
}

TEST_F(DialogueTest, KnownWordsInTheOpenedFileToo)
{
    answerName();
    form->DataMax = 1;
    form->Data[1] = {QStringLiteral("ねこ"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                     QStringLiteral("1"), QStringLiteral("2")};
    type(QStringLiteral("ねこ"));
    EXPECT_EQ(said(), u"ねこってしってる。でもねこってきらいなんだろ。");
}

TEST_F(DialogueTest, ScoldsAConfirmationWithoutAChoice)
{
    answerName();
    type(QStringLiteral("いぬ"));
    form->cmdKakuninClick();
    form->cmdKakuninClick();
    EXPECT_EQ(said(), u"ゴルァァ！！");
    EXPECT_EQ(form->Step, 1);
    EXPECT_TRUE(form->imgEye->shows(form->frames.img02));
    EXPECT_TRUE(form->imgKuchi->shows(form->frames.img06));
    EXPECT_FALSE(form->tmrMessage->isActive());
    form->lblSentakuClick(2);
    form->cmdKakuninClick();
    EXPECT_EQ(form->Step, 2);
    EXPECT_EQ(captions(), u"ひとのなまえ|だんたい|ばしょ|本のなまえ");
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
    EXPECT_EQ(said(), u"Nはやあってすきなのか？") << "back leaves the sentence of questions 1 and 2";
    form->lblSentakuClick(4);
    EXPECT_EQ(form->Answer2, u"4");
    form->cmdKakuninClick();
    EXPECT_EQ(form->Step, 3);

    // Back from 2 to 1 shows question 1's captions and keeps the sentence.
    form->cmdModoruClick();
    form->cmdModoruClick();
    EXPECT_EQ(form->Step, 1);
    EXPECT_EQ(captions(), u"一般的なことば|固有のことば|あいさつのことば|名言、格言");
    form->cmdModoruClick();
    EXPECT_EQ(form->Step, 1) << "back on question 1 stays there";
}

TEST_F(DialogueTest, AClickBeforeBackCarriesOver)
{
    answerName();
    teach(QStringLiteral("ぱん"), {1, 3});
    form->lblSentakuClick(2); // question 3
    form->cmdModoruClick();
    EXPECT_EQ(form->Choice, 2);
    EXPECT_EQ(form->Answer2, u"3");
    form->cmdKakuninClick();
    EXPECT_EQ(form->Step, 3) << "the earlier click lets confirm advance at once";
    EXPECT_EQ(form->Answer2, u"3");
}

TEST_F(DialogueTest, RefusesTextTheSaveFileCannotHold)
{
    for (const QString &odd : {QStringLiteral("say \"hi\""), QStringLiteral("a\tb"), QStringLiteral("😀")}) {
        type(odd);
        EXPECT_EQ(said(), u"そんなへんなもじはおぼえられん。");
        EXPECT_EQ(form->Step, -1) << "the name is still asked";
        EXPECT_EQ(form->i, 2);
        EXPECT_TRUE(form->txtNyuryoku->isEnabled());
        EXPECT_TRUE(form->txtNyuryoku->text().isEmpty());
        EXPECT_TRUE(form->tmrMessage->isActive());
    }
    answerName();
    for (const QString &odd : {QStringLiteral("\"quoted\""), QStringLiteral("two\nlines"), QStringLiteral("𠮷野家")}) {
        type(odd);
        EXPECT_EQ(said(), u"そんなへんなもじはおぼえられん。");
        EXPECT_EQ(form->Step, 0);
        EXPECT_EQ(form->i, 3);
        EXPECT_TRUE(form->txtNyuryoku->isEnabled());
    }
    type(QStringLiteral("　")); // spaces are a word like any other
    EXPECT_EQ(form->Step, 1);
}

TEST_F(DialogueTest, AFullMemoryTakesNoNewWord)
{
    answerName();
    form->i = kNewDataSlots;
    type(QStringLiteral("もも"));
    EXPECT_EQ(said(), u"もうあたまがいっぱいだ。");
    EXPECT_EQ(form->Step, 0);
    EXPECT_TRUE(form->txtNyuryoku->isEnabled());
    EXPECT_TRUE(form->txtNyuryoku->text().isEmpty());
    EXPECT_TRUE(form->tmrMessage->isActive());

    form->i = kNewDataSlots - 1; // one slot left: the word is asked and stored
    teach(QStringLiteral("もも"), {1, 3, 1, 1, 2});
    EXPECT_EQ(form->i, kNewDataSlots);
    EXPECT_EQ(form->NewData[kNewDataSlots - 1].Text, u"もも");
}

TEST_F(DialogueTest, EnterInTheEntryBoxConfirmsNothing)
{
    form->show();
    form->txtNyuryoku->setFocus();
    QTest::keyClicks(form->txtNyuryoku, QStringLiteral("abc"));
    QTest::keyClick(form->txtNyuryoku, Qt::Key_Return);
    EXPECT_EQ(form->Step, -1);
    EXPECT_EQ(said(), u"おまえのなまえは？");
}
