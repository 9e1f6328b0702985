// The teaching dialogue as the user plays it: keystrokes into the entry box,
// mouse clicks on 確認, 戻る and the four answer labels, and the menus.

#include "form_fixture.h"
#include "persistence/file_window.h"
#include "windows/about_window.h"
#include "windows/status_window.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

class ControlsTest : public StageTest {
protected:
    QString captions() const
    {
        QStringList list;
        for (ChoiceLabel *label : form->lblSentaku)
            list << label->text() + (label->isEnabled() ? QString() : u"(x)"_s);
        return list.join(u'|');
    }
    // After a reply the entry box is open and empty again and remarks may
    // follow; `reply` names the exchange in a failure.
    void expectWaiting(const char *reply) const
    {
        SCOPED_TRACE(reply);
        EXPECT_TRUE(form->txtNyuryoku->isEnabled()) << "the entry box stays locked";
        EXPECT_EQ(form->txtNyuryoku->text(), u"") << "the reply leaves the typed text in the entry box";
        EXPECT_TRUE(form->tmrMessage->isActive()) << "the reply does not restart the talk (tmrMessage)";
    }
};

TEST_F(ControlsTest, TheNameThenTheAppleExchange)
{
    enter(u"Ann"_s);
    EXPECT_EQ(said(), u"そうか、おまえのなまえはAnnなんだな。") << "確認 (cmdKakunin) takes the name";
    EXPECT_EQ(form->NewData[2], (WordRecord{u"Ann"_s, Code::Name, {}, {}, {}, {}}));
    EXPECT_EQ(std::tuple(form->i, form->Level, form->Step), std::tuple(2 + 1, 2 + 1, 0));
    EXPECT_TRUE(form->statusmenu->isEnabled());
    expectWaiting("name");

    enter(u"りんご"_s);
    EXPECT_EQ(said(), u"りんごってなんだ？");
    EXPECT_EQ(captions(), u"一般的なことば|固有のことば|あいさつのことば|名言、格言");
    const struct {
        int click;
        const char *onClick, *onConfirm, *captions;
    } steps[] = {
        {1, "りんごって一般的なことばなのか？", "りんごってなんだ？", "しごと|いきもの|たべもの|やること"},
        {3, "りんごってたべものなのか？", "Annはりんごってすきなのか？", "すき|ふつう|きらい|(x)"},
        {1, "りんごってすきなのか？", "りんごってためになるのか？", "ためになる|ダメになる|(x)|(x)"},
        {1, "りんごってためになるなのか？", "それ・・・ゲヒンなことばじゃないよな。", "ゲヒンなことば|ふつうのことば|(x)|(x)"},
        {2, "りんごってふつうのことばなのか？", "なんだ、つまらんな。", "(x)|(x)|(x)|(x)"},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.onClick);
        choose(step.click);
        EXPECT_EQ(said(), QString::fromUtf8(step.onClick));
        EXPECT_FALSE(form->txtNyuryoku->isEnabled()) << "the word is locked during its questions";
        EXPECT_FALSE(form->tmrMessage->isActive()) << "no remark may overwrite a question";
        confirm();
        EXPECT_EQ(said(), QString::fromUtf8(step.onConfirm));
        EXPECT_EQ(captions(), QString::fromUtf8(step.captions));
    }
    EXPECT_EQ(form->NewData[3], (WordRecord{u"りんご"_s, u"1"_s, u"3"_s, u"1"_s, u"1"_s, u"2"_s}));
    EXPECT_EQ(std::tuple(form->i, form->Level, form->ELevel, form->DLevel, form->Step), std::tuple(4, 4, 0, 0, 0));
    EXPECT_TRUE(form->imgEye->shows(form->frames.img02) && form->imgKuchi->shows(form->frames.img04));
    expectWaiting("word stored");
}

// Each label answers with its own number, lights itself alone and echoes
// its caption.
TEST_F(ControlsTest, EveryAnswerLabelIsItsOwnChoice)
{
    enter(u"N"_s);
    enter(u"ねこ"_s);
    const char *kinds[] = {"一般的なことば", "固有のことば", "あいさつのことば", "名言、格言"};
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE("lblSentaku" + std::to_string(k));
        choose(k);
        EXPECT_EQ(form->Answer1, QString::number(k));
        EXPECT_EQ(said(), u"ねこって"_s + QString::fromUtf8(kinds[k - 1]) + u"なのか？"_s);
        for (int n = 1; n <= 4; ++n) {
            const ChoiceLabel *label = form->lblSentaku[n - 1];
            EXPECT_EQ(label->isOpaque(), n == k) << "lblSentaku" << n;
            EXPECT_EQ(label->palette().color(QPalette::WindowText),
                      label->palette().color(n == k ? QPalette::HighlightedText : QPalette::Text))
                << "lblSentaku" << n << ": the caption is drawn as a selection's when lit";
        }
    }
    for (const Qt::Key digit : {Qt::Key_0, Qt::Key_5, Qt::Key_6, Qt::Key_9})
        QTest::keyClick(form.get(), digit);
    EXPECT_EQ(form->Answer1, u"4") << "only 1 to 4 choose an answer";
    // A saying goes on to question 3, which has three answers: a disabled
    // label is no choice.
    confirm();
    choose(4);
    EXPECT_EQ(form->Answer3, u"");
    EXPECT_EQ(said(), u"Nはねこってすきなのか？");
}

// Every kind of word through all its questions: greetings and sayings skip
// the sort, and the answers land in the record and the counters.
TEST_F(ControlsTest, EveryKindOfWordIsStoredWithItsAnswers)
{
    enter(u"N"_s);
    const struct {
        const char *word;
        std::initializer_list<int> clicks;
        WordRecord stored;
        const char *reply;
        Int16 eLevel, dLevel;
        const char *sorts; // question 2's captions, or question 3's sentence when it is skipped
    } words[] = {
        {"すし", {1, 3, 1, 1, 2}, {u"すし"_s, u"1"_s, u"3"_s, u"1"_s, u"1"_s, u"2"_s}, "なんだ、つまらんな。", 0, 0,
         "しごと|いきもの|たべもの|やること"},
        {"パリ", {2, 3, 3, 2, 2}, {u"パリ"_s, u"2"_s, u"3"_s, u"3"_s, u"2"_s, u"2"_s}, "なんだ、つまらんな。", 0, 1,
         "ひとのなまえ|だんたい|ばしょ|本のなまえ"},
        {"おはよう", {3, 2, 1, 2}, {u"おはよう"_s, u"3"_s, u""_s, u"2"_s, u"1"_s, u"2"_s}, "なんだ、つまらんな。", 0, 1,
         "Nはおはようってすきなのか？"},
        {"急がば回れ", {4, 1, 2, 1}, {u"急がば回れ"_s, u"4"_s, u""_s, u"1"_s, u"2"_s, u"1"_s},
         "そんなモノわたしにおしえるな。", 1, 2, "Nは急がば回れってすきなのか？"},
    };
    Int16 slot = 3;
    for (const auto &w : words) {
        SCOPED_TRACE(w.word);
        const QString word = QString::fromUtf8(w.word);
        enter(word);
        choose(*w.clicks.begin());
        confirm();
        const bool skips = w.clicks.size() == 4;
        EXPECT_EQ(skips ? said() : captions(), QString::fromUtf8(w.sorts))
            << (skips ? "a greeting or a saying skips question 2" : "question 2's sorts");
        EXPECT_EQ(form->Step, skips ? 3 : 2);
        for (auto k = w.clicks.begin() + 1; k != w.clicks.end(); ++k) {
            choose(*k);
            confirm();
        }
        EXPECT_EQ(said(), QString::fromUtf8(w.reply));
        EXPECT_EQ(form->NewData[slot], w.stored);
        ++slot;
        EXPECT_EQ(std::tuple(form->i, form->Level, form->ELevel, form->DLevel),
                  std::tuple(slot, slot, w.eLevel, w.dLevel));
        expectWaiting(w.word);
    }
    EXPECT_TRUE(form->imgKuchi->shows(form->frames.img06)) << "a vulgar word leaves the bared teeth";
    EXPECT_FALSE(form->tmrTalk->isActive()) << "nothing may close them";
}

TEST_F(ControlsTest, ScoldingBackAndTheirQuirks)
{
    enter(u"N"_s);
    enter(u"やあ"_s);
    confirm(); // no answer chosen yet
    EXPECT_EQ(said(), u"ゴルァァ！！");
    EXPECT_EQ(form->Step, 1);
    EXPECT_TRUE(form->imgEye->shows(form->frames.img02) && form->imgKuchi->shows(form->frames.img06));
    EXPECT_FALSE(form->tmrMessage->isActive());

    choose(3);
    confirm();
    EXPECT_EQ(said(), u"Nはやあってすきなのか？");
    // Back from 3 of a greeting: a question 2 still wearing question 3's
    // captions, all four clickable.
    back();
    EXPECT_EQ(form->Step, 2) << "戻る (cmdModoru) steps back";
    EXPECT_EQ(captions(), u"すき|ふつう|きらい|");
    choose(4);
    EXPECT_EQ(form->Answer2, u"4");
    confirm();
    EXPECT_EQ(form->Step, 3);

    // Back from 2 to 1 shows question 1's captions and keeps the sentence.
    back();
    back();
    EXPECT_EQ(form->Step, 1);
    EXPECT_EQ(captions(), u"一般的なことば|固有のことば|あいさつのことば|名言、格言");
    EXPECT_EQ(said(), u"Nはやあってすきなのか？");
    back();
    EXPECT_EQ(form->Step, 1) << "back on question 1 stays there";
    EXPECT_EQ(form->txtNyuryoku->text(), u"やあ") << "the word waits in its locked box";
}

// Known words are answered from the memory they were found in, whichever
// memory the talk last drew from.
TEST_F(ControlsTest, KnownWordsAndTheEmptyEntry)
{
    enter(u"N"_s);
    teach(u"うんこ"_s, {1, 3, 3, 2, 1}); // NewData(3), disliked
    form->DataMax = 4;
    for (WordRecord &record : form->Data)
        record = {};
    // Each known word's index holds a word of the other liking in the other memory.
    form->Data[3] = {u"いぬ"_s, u"1"_s, u"2"_s, u"1"_s, u"1"_s, u"2"_s};
    form->Data[4] = {u"ねこ"_s, u"1"_s, u"2"_s, u"3"_s, u"1"_s, u"2"_s};
    const struct {
        const char *talkFrom, *typed, *reply;
    } known[] = {
        {"y", "うんこ", "うんこってしってる。でもうんこってきらいなんだろ。"},
        {"q", "ねこ", "ねこってしってる。でもねこってきらいなんだろ。"},
        {"q", "いぬ", "いぬってしってる。"},
        {"y", "N", "Nってしってる。"},
    };
    for (const auto &k : known) {
        SCOPED_TRACE(k.typed);
        form->TalkFrom = QString::fromUtf8(k.talkFrom);
        enter(QString::fromUtf8(k.typed));
        EXPECT_EQ(said(), QString::fromUtf8(k.reply));
        EXPECT_EQ(form->i, 4) << "nothing stored twice";
        expectWaiting("known word");
    }
    enter(form->StartDate);
    EXPECT_EQ(said(), form->StartDate + u"ってしってる。"_s) << "the date records are searched";

    confirm();
    EXPECT_EQ(said(), u"なにもおしえてくれないのか？");
    EXPECT_EQ(form->Step, 0);
    expectWaiting("empty entry");
}

// 新規 from the middle of a question: every counter and working value back
// to its start, a new period, and the name asked with the entry box open.
TEST_F(ControlsTest, NewGameForgetsEverything)
{
    enter(u"N"_s);
    teach(u"どく"_s, {1, 3, 3, 2, 1});
    enter(u"りんご"_s);
    choose(1);
    form->FileName = u"/tmp/x.egg"_s;
    form->DataMax = 40;
    form->J = 7;
    form->Rand = form->LastRand = 5;
    form->TalkFrom = u"q"_s;
    form->tmrTalk->start();
    host.date = QDate(2028, 2, 20); // a leap year

    form->newmenu->trigger();
    const std::pair<const char *, int> counters[] = {
        {"i", form->i},         {"Level", form->Level}, {"ELevel", form->ELevel}, {"DLevel", form->DLevel},
        {"J", form->J},         {"DataMax", form->DataMax}, {"Step", form->Step}, {"Choice", form->Choice},
        {"Rand", form->Rand},   {"LastRand", form->LastRand},
    };
    const int expected[] = {2, 2, 0, 0, 0, 0, -1, 0, -1, -1};
    for (size_t n = 0; n < std::size(counters); ++n)
        EXPECT_EQ(counters[n].second, expected[n]) << counters[n].first << " after 新規 (newmenu)";
    EXPECT_EQ(QStringList({form->FileName, form->NewWord, form->Answer1, form->TalkFrom, form->CharaName}),
              QStringList({"", "", "", "y", "ミスター・トルマリン"}));
    EXPECT_EQ(form->NewData[0], (WordRecord{u"2028/02/20"_s, Code::StartDate, {}, {}, {}, {}}));
    EXPECT_EQ(form->NewData[1], (WordRecord{u"2028/03/05"_s, Code::EndDate, {}, {}, {}, {}}));
    EXPECT_EQ(said(), u"おまえのなまえは？");
    EXPECT_FALSE(form->tmrTalk->isActive() || form->tmrMessage->isActive() || form->statusmenu->isEnabled());
    EXPECT_EQ(captions(), u"(x)|(x)|(x)|(x)");
    EXPECT_FALSE(std::ranges::any_of(form->lblSentaku, &ChoiceLabel::isOpaque));
    EXPECT_EQ(host.seeds, 2) << "every new game reseeds from the clock";
    enter(u"M"_s);
    EXPECT_EQ(form->YourName, u"M") << "the entry box takes the name again";
}

// Each menu item and button reaches its window or its routine.
TEST_F(ControlsTest, MenusAndButtonsReachTheirWindows)
{
    enter(u"N"_s); // the status menu waits for the name
    form->opnmenu->trigger();
    ASSERT_TRUE(form->fileWindow) << "opnmenu";
    EXPECT_TRUE(form->fileWindow->cmdOpen->isVisible() && !form->fileWindow->cmdSave->isVisibleTo(form->fileWindow))
        << "opnmenu shows the window in open mode";
    form->fileWindow->close();
    settle();
    form->asavemenu->trigger();
    ASSERT_TRUE(form->fileWindow) << "asavemenu without a current file";
    EXPECT_TRUE(form->fileWindow->cmdSave->isVisible() && !form->fileWindow->cmdOpen->isVisibleTo(form->fileWindow))
        << "asavemenu without a file shows the window in save mode";
    click(form->fileWindow->cmdExit);
    settle();
    EXPECT_FALSE(form->fileWindow) << "cmdExit closes the file window";
    form->savemenu->trigger();
    ASSERT_TRUE(form->fileWindow) << "savemenu";
    EXPECT_TRUE(form->fileWindow->cmdSave->isEnabled()) << "savemenu shows the window in save mode";

    form->statusmenu->trigger();
    EXPECT_TRUE(form->statusWindow) << "statusmenu";
    form->vermenu->trigger();
    ASSERT_TRUE(form->aboutWindow) << "vermenu";
    click(form->aboutWindow->cmdSysInfo);
    EXPECT_EQ(host.messages, QStringList{u"現時点ではｼｽﾃﾑ情報を使用できません"_s}) << "cmdSysInfo";
    click(form->aboutWindow->cmdOK);
    settle();
    EXPECT_FALSE(form->aboutWindow) << "cmdOK closes the version window";

    click(form->cmdSyuryo);
    EXPECT_EQ(host.exits, 1) << "cmdSyuryo ends the program";
    EXPECT_EQ(host.messages.size(), 1) << "nothing is asked";
}

// Each of the stage's timers, ticking, runs its own routine.
TEST_F(ControlsTest, EveryTimerRunsItsRoutine)
{
    const FrameStore &f = form->frames;
    tick(form->tmrAnime);
    EXPECT_TRUE(form->imgEye->shows(f.img02)) << "tmrAnime steps the blink";
    form->tmrAnime->stop();
    tick(form->tmrTiming);
    EXPECT_TRUE(form->tmrAnime->isActive()) << "tmrTiming starts a blink";

    form->Action();
    tick(form->tmrAction);
    EXPECT_TRUE(form->imgChara->shows(f.imgAct[0])) << "tmrAction steps the toy dog";

    form->tmrTalk->start();
    tick(form->tmrTalk);
    EXPECT_TRUE(form->imgKuchi->shows(f.img04)) << "tmrTalk moves the mouth";

    enter(u"N"_s);
    enter(u"ねこ"_s);
    choose(2);
    tick(form->tmrTenmetsu);
    EXPECT_FALSE(form->lblSentaku[1]->isOpaque()) << "tmrTenmetsu blinks the chosen label";
    tick(form->tmrTenmetsu);
    EXPECT_TRUE(form->lblSentaku[1]->isOpaque()) << "tmrTenmetsu blinks the chosen label";

    confirm(); // question 2: no choice yet, so the blink clears every label
    form->lblSentaku[3]->setOpaque(true);
    tick(form->tmrTenmetsu);
    EXPECT_FALSE(std::ranges::any_of(form->lblSentaku, &ChoiceLabel::isOpaque));
}

} // namespace
