// The teaching dialogue: first the user's name, then words, each with up to
// five multiple-choice questions whose answers are stored with the word.

#include "engine/game.h"
#include "persistence/storable_text.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kConfirmBlinkMs = 500;

// The captions of a question's four labels; a label without one takes no click.
using Question = std::array<const char16_t *, 4>;

const Question kKind{u"一般的なことば", u"固有のことば", u"あいさつのことば", u"名言、格言"};
const Question kGeneralSort{u"しごと", u"いきもの", u"たべもの", u"やること"};
const Question kProperSort{u"ひとのなまえ", u"だんたい", u"ばしょ", u"本のなまえ"};
const Question kLiking{u"すき", u"ふつう", u"きらい", u""};
const Question kUseful{u"ためになる", u"ダメになる", u"", u""};
const Question kVulgar{u"ゲヒンなことば", u"ふつうのことば", u"", u""};

} // namespace

void Game::cmdKakuninClick()
{
    tmrTenmetsu.setInterval(kConfirmBlinkMs);
    NewWord = withCp932Twins(entryText);
    tmrMessage.disable();

    if (Step == -1) {
        // The name is saved like a word, so it has to fit the save file too.
        if (!isStorableText(NewWord))
            return refuseEntry(QStringLiteral("そんなへんなもじはおぼえられん。"));
        if (newDataFull())
            return refuseEntry(QStringLiteral("もうあたまがいっぱいだ。"));
        YourName = NewWord;
        sentence = u"そうか、おまえのなまえは"_s + YourName + u"なんだな。"_s;
        entryText.clear();
        appendNewRecord({YourName, Code::Name, {}, {}, {}, {}});
        Step = 0;
        statusMenu = true;
        tmrMessage.enable();
        emit changed();
        return;
    }

    if (NewWord.isEmpty()) {
        sentence = QStringLiteral("なにもおしえてくれないのか？");
        tmrMessage.enable();
        emit changed();
        return;
    }

    if (const std::optional<Found> known = findKnownWord(*this, NewWord)) {
        QString reply = NewWord + u"ってしってる。"_s;
        if (HateHantei(known->index, known->memory) != 0)
            reply += u"でも"_s + NewWord + u"ってきらいなんだろ。"_s;
        sentence = reply;
        entryText.clear();
        tmrMessage.enable();
        emit changed();
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

    entryOpen = false;
    sentence = NewWord + u"ってなんだ？"_s;
    for (ChoiceCue &choice : choices)
        choice.visible = true;

    if (Step <= 0 || Choice != 0) {
        const bool skipsSort = Step == 1 && (codeIs(Answer1, 3) || codeIs(Answer1, 4));
        Step = skipsSort ? 3 : Step + 1;
        MenuHyouji();
        Choice = 0;
    } else {
        sentence = QStringLiteral("ゴルァァ！！");
        face.eye = Frame::img02;
        face.mouth = Frame::img06;
    }
    emit changed();
}

void Game::refuseEntry(const QString &text)
{
    sentence = text;
    entryText.clear();
    entryOpen = true;
    // No remark before the name is known: the character keeps asking for it,
    // and the next text typed is still the name.
    if (Step != -1)
        tmrMessage.enable();
    emit changed();
}

void Game::lblSentakuClick(int k)
{
    if (k < 1 || k > int(choices.size()) || !choices[k - 1].visible || !choices[k - 1].enabled)
        return;
    for (int n = 1; n <= 4; ++n)
        choices[n - 1].lit = n == k;

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
    sentence = NewWord + u"って"_s + choices[k - 1].caption + u"なのか？"_s;
    emit changed();
}

void Game::cmdModoruClick()
{
    if (Step > 1)
        --Step;
    MenuHyouji();
    emit changed();
}

void Game::MenuHyouji()
{
    auto ask = [this](const Question &question) {
        for (std::size_t n = 0; n < choices.size(); ++n) {
            choices[n].caption = QString::fromUtf16(question[n]);
            choices[n].enabled = !choices[n].caption.isEmpty();
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
        for (ChoiceCue &choice : choices)
            choice.enabled = true;
        break;
    case 3:
        sentence = YourName + u"は"_s + NewWord + u"ってすきなのか？"_s;
        ask(kLiking);
        break;
    case 4:
        sentence = NewWord + u"ってためになるのか？"_s;
        ask(kUseful);
        break;
    case 5:
        sentence = QStringLiteral("それ・・・ゲヒンなことばじゃないよな。");
        ask(kVulgar);
        break;
    case 6: {
        const bool stored = appendNewRecord({NewWord, Answer1, Answer2, Answer3, Answer4, Answer5});
        if (codeIs(Answer5, 1)) {
            sentence = QStringLiteral("そんなモノわたしにおしえるな。");
            face.mouth = Frame::img06;
            // The bared teeth stay: no mouth movement may close them.
            face.tmrTalk.disable();
            ELevel += stored ? 1 : 0;
        } else {
            sentence = QStringLiteral("なんだ、つまらんな。");
            face.mouth = Frame::img04;
            face.eye = Frame::img02;
        }
        if (codeIs(Answer4, 2) && stored)
            ++DLevel;
        for (ChoiceCue &choice : choices) {
            choice.caption.clear();
            choice.enabled = false;
        }
        clearAnswers();
        Step = 0;
        entryText.clear();
        entryOpen = true;
        tmrMessage.enable();
        break;
    }
    default:
        break;
    }
}
