#include "form_fixture.h"

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

