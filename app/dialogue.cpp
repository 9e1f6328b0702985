// The teaching dialogue: first the user's name, then words, each with up to
// five multiple-choice questions whose answers are stored with the word.

#include "app/main_window.h"
#include "app/stage_widgets.h"
#include "persistence/storable_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kConfirmBlinkMs = 500;

struct Question {
    std::array<const char16_t *, 4> captions;
    int clickable; // labels 1 ... clickable are enabled
};

const Question kKind{{u"一般的なことば", u"固有のことば", u"あいさつのことば", u"名言、格言"}, 4};
const Question kGeneralSort{{u"しごと", u"いきもの", u"たべもの", u"やること"}, 4};
const Question kProperSort{{u"ひとのなまえ", u"だんたい", u"ばしょ", u"本のなまえ"}, 4};
const Question kLiking{{u"すき", u"ふつう", u"きらい", u""}, 3};
const Question kUseful{{u"ためになる", u"ダメになる", u"", u""}, 2};
const Question kVulgar{{u"ゲヒンなことば", u"ふつうのことば", u"", u""}, 2};

} // namespace

void Form1::cmdKakuninClick()
{
    setTenmetsuInterval(kConfirmBlinkMs);
    NewWord = withCp932Twins(txtNyuryoku->text());
    tmrMessage->stop();

    if (Step == -1) {
        // The name is saved like a word, so it has to fit the save file too.
        if (!isStorableText(NewWord))
            return refuseEntry(QStringLiteral("そんなへんなもじはおぼえられん。"));
        if (newDataFull())
            return refuseEntry(QStringLiteral("もうあたまがいっぱいだ。"));
        YourName = NewWord;
        lblMessage->setText(u"そうか、おまえのなまえは"_s + YourName + u"なんだな。"_s);
        txtNyuryoku->clear();
        appendNewRecord({YourName, Code::Name, {}, {}, {}, {}});
        Step = 0;
        statusmenu->setEnabled(true);
        enableTimer(tmrMessage);
        return;
    }

    if (NewWord.isEmpty()) {
        lblMessage->setText(QStringLiteral("なにもおしえてくれないのか？"));
        enableTimer(tmrMessage);
        return;
    }

    if (const std::optional<Found> known = findKnownWord(*this, NewWord)) {
        QString reply = NewWord + u"ってしってる。"_s;
        if (HateHantei(known->index, known->memory) != 0)
            reply += u"でも"_s + NewWord + u"ってきらいなんだろ。"_s;
        lblMessage->setText(reply);
        txtNyuryoku->clear();
        enableTimer(tmrMessage);
        return;
    }

    if (Step <= 0) {
        // A new word is refused at the door when the save file could not hold
        // it or no slot is left for it, before any question is asked.
        if (!isStorableText(NewWord))
            return refuseEntry(QStringLiteral("そんなへんなもじはおぼえられん。"));
        if (newDataFull())
            return refuseEntry(QStringLiteral("もうあたまがいっぱいだ。"));
    }

    txtNyuryoku->setEnabled(false);
    lblMessage->setText(NewWord + u"ってなんだ？"_s);
    for (ChoiceLabel *label : lblSentaku)
        label->setVisible(true);

    if (Step <= 0 || Choice != 0) {
        const bool skipsSort = Step == 1 && (codeIs(Answer1, 3) || codeIs(Answer1, 4));
        Step = skipsSort ? 3 : Step + 1;
        MenuHyouji();
        Choice = 0;
    } else {
        lblMessage->setText(QStringLiteral("ゴルァァ！！"));
        imgEye->showFrame(frames.img02);
        imgKuchi->showFrame(frames.img06);
    }
}

void Form1::refuseEntry(const QString &sentence)
{
    lblMessage->setText(sentence);
    txtNyuryoku->clear();
    txtNyuryoku->setEnabled(true);
    // No remark before the name is known: the character keeps asking for it,
    // and the next text typed is still the name.
    if (Step != -1)
        enableTimer(tmrMessage);
}

void Form1::lblSentakuClick(int k)
{
    for (int n = 1; n <= 4; ++n)
        lblSentaku[n - 1]->setOpaque(n == k);

    const QString code = Code::ofChoice(k);
    switch (Step) {
    case 1: Answer1 = code; break;
    case 2: Answer2 = code; break;
    case 3: Answer3 = code; break;
    case 4: Answer4 = code; break;
    case 5: Answer5 = code; break;
    default: break;
    }
    Choice = static_cast<Int16>(k);
    lblMessage->setText(NewWord + u"って"_s + lblSentaku[k - 1]->text() + u"なのか？"_s);
}

void Form1::cmdModoruClick()
{
    if (Step > 1)
        --Step;
    MenuHyouji();
}

void Form1::MenuHyouji()
{
    auto ask = [this](const Question &question) {
        for (int n = 0; n < 4; ++n) {
            lblSentaku[n]->setText(QString::fromUtf16(question.captions[n]));
            lblSentaku[n]->setEnabled(n < question.clickable);
        }
    };

    switch (Step) {
    case 1:
        ask(kKind);
        break;
    case 2:
        // Back from question 3 of a greeting finds neither kind: the
        // captions stay as they were, all four clickable.
        if (codeIs(Answer1, 1))
            ask(kGeneralSort);
        else if (codeIs(Answer1, 2))
            ask(kProperSort);
        for (ChoiceLabel *label : lblSentaku)
            label->setEnabled(true);
        break;
    case 3:
        lblMessage->setText(YourName + u"は"_s + NewWord + u"ってすきなのか？"_s);
        ask(kLiking);
        break;
    case 4:
        lblMessage->setText(NewWord + u"ってためになるのか？"_s);
        ask(kUseful);
        break;
    case 5:
        lblMessage->setText(QStringLiteral("それ・・・ゲヒンなことばじゃないよな。"));
        ask(kVulgar);
        break;
    case 6: {
        const bool stored = appendNewRecord({NewWord, Answer1, Answer2, Answer3, Answer4, Answer5});
        if (codeIs(Answer5, 1)) {
            lblMessage->setText(QStringLiteral("そんなモノわたしにおしえるな。"));
            imgKuchi->showFrame(frames.img06);
            // The bared teeth stay: no mouth movement may close them.
            tmrTalk->stop();
            ELevel += stored ? 1 : 0;
        } else {
            lblMessage->setText(QStringLiteral("なんだ、つまらんな。"));
            imgKuchi->showFrame(frames.img04);
            imgEye->showFrame(frames.img02);
        }
        if (codeIs(Answer4, 2) && stored)
            ++DLevel;
        for (ChoiceLabel *label : lblSentaku) {
            label->clear();
            label->setEnabled(false);
        }
        clearAnswers();
        Step = 0;
        txtNyuryoku->clear();
        txtNyuryoku->setEnabled(true);
        enableTimer(tmrMessage);
        break;
    }
    default:
        break;
    }
}
