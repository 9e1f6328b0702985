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

TeachingStep following(TeachingStep step) { return static_cast<TeachingStep>(static_cast<int>(step) + 1); }

} // namespace

void Game::confirm()
{
    answerBlinkTimer_.setInterval(kConfirmBlinkMs);
    taughtWord = withCp932Twins(screen_.entryText);
    remarkTimer_.disable();

    if (step == TeachingStep::Name) {
        // The name is saved like a word, so it has to fit the save file too.
        if (!isStorableText(taughtWord))
            return refuseEntry(QStringLiteral("そんなへんなもじはおぼえられん。"));
        if (memoryFull())
            return refuseEntry(QStringLiteral("もうあたまがいっぱいだ。"));
        playerName = taughtWord;
        screen_.sentence = u"そうか、おまえのなまえは"_s + playerName + u"なんだな。"_s;
        screen_.entryText.clear();
        appendNewRecord({playerName, Code::Name, {}, {}, {}, {}});
        step = TeachingStep::Word;
        screen_.statusAvailable = true;
        remarkTimer_.enable();
        emit changed();
        return;
    }

    if (taughtWord.isEmpty()) {
        screen_.sentence = QStringLiteral("なにもおしえてくれないのか？");
        remarkTimer_.enable();
        emit changed();
        return;
    }

    if (const std::optional<Found> known = findKnownWord(*this, taughtWord)) {
        QString reply = taughtWord + u"ってしってる。"_s;
        if (isDisliked(record(known->memory, known->index)))
            reply += u"でも"_s + taughtWord + u"ってきらいなんだろ。"_s;
        screen_.sentence = reply;
        screen_.entryText.clear();
        remarkTimer_.enable();
        emit changed();
        return;
    }

    if (step == TeachingStep::Word) {
        // A new word is refused at the door when the save file could not hold
        // it or no slot is left for it, before any question is asked.
        if (!isStorableText(taughtWord))
            return refuseEntry(QStringLiteral("そんなへんなもじはおぼえられん。"));
        if (memoryFull())
            return refuseEntry(QStringLiteral("もうあたまがいっぱいだ。"));
    }

    screen_.entryOpen = false;
    screen_.sentence = taughtWord + u"ってなんだ？"_s;
    for (ChoiceCue &choice : screen_.choices)
        choice.visible = true;

    if (step == TeachingStep::Word || picked != 0) {
        // Greetings and sayings have no sort to ask about.
        const bool skipsSort = step == TeachingStep::Kind
                               && (codeIs(kindAnswer, Code::Kind::Greeting) || codeIs(kindAnswer, Code::Kind::Saying));
        step = skipsSort ? TeachingStep::Liking : following(step);
        askQuestion();
        picked = 0;
    } else {
        screen_.sentence = QStringLiteral("ゴルァァ！！");
        face_.eye = Frame::EyeHalf;
        face_.mouth = Frame::MouthTeeth;
    }
    emit changed();
}

void Game::refuseEntry(const QString &text)
{
    screen_.sentence = text;
    screen_.entryText.clear();
    screen_.entryOpen = true;
    // No remark before the name is known: the character keeps asking for it,
    // and the next text typed is still the name.
    if (step != TeachingStep::Name)
        remarkTimer_.enable();
    emit changed();
}

void Game::pick(int k)
{
    if (k < 1 || k > int(screen_.choices.size()) || !screen_.choices[k - 1].visible || !screen_.choices[k - 1].enabled)
        return;
    for (int n = 1; n <= 4; ++n)
        screen_.choices[n - 1].lit = n == k;

    const QString code = Code::ofChoice(k);
    switch (step) {
    case TeachingStep::Kind:
        kindAnswer = code;
        break;
    case TeachingStep::Sort:
        sortAnswer = code;
        break;
    case TeachingStep::Liking:
        likingAnswer = code;
        break;
    case TeachingStep::Usefulness:
        usefulAnswer = code;
        break;
    case TeachingStep::Vulgarity:
        vulgarAnswer = code;
        break;
    default:
        break;
    }
    picked = static_cast<Int16>(k);
    screen_.sentence = taughtWord + u"って"_s + screen_.choices[k - 1].caption + u"なのか？"_s;
    emit changed();
}

void Game::back()
{
    if (step > TeachingStep::Kind)
        step = static_cast<TeachingStep>(static_cast<int>(step) - 1);
    askQuestion();
    emit changed();
}

void Game::askQuestion()
{
    auto ask = [this](const Question &question) {
        for (std::size_t n = 0; n < screen_.choices.size(); ++n) {
            screen_.choices[n].caption = QString::fromUtf16(question[n]);
            screen_.choices[n].enabled = !screen_.choices[n].caption.isEmpty();
        }
    };

    switch (step) {
    case TeachingStep::Kind:
        ask(kKind);
        break;
    case TeachingStep::Sort:
        // Back from question 3 of a greeting finds neither kind: the
        // captions stay as they were, all four clickable.
        if (codeIs(kindAnswer, Code::Kind::General))
            ask(kGeneralSort);
        else if (codeIs(kindAnswer, Code::Kind::Proper))
            ask(kProperSort);
        for (ChoiceCue &choice : screen_.choices)
            choice.enabled = true;
        break;
    case TeachingStep::Liking:
        screen_.sentence = playerName + u"は"_s + taughtWord + u"ってすきなのか？"_s;
        ask(kLiking);
        break;
    case TeachingStep::Usefulness:
        screen_.sentence = taughtWord + u"ってためになるのか？"_s;
        ask(kUseful);
        break;
    case TeachingStep::Vulgarity:
        screen_.sentence = QStringLiteral("それ・・・ゲヒンなことばじゃないよな。");
        ask(kVulgar);
        break;
    case TeachingStep::Stored:
        storeTaughtWord();
        break;
    default:
        break;
    }
}

void Game::storeTaughtWord()
{
    const WordRecord word{taughtWord, kindAnswer, sortAnswer, likingAnswer, usefulAnswer, vulgarAnswer};
    const bool stored = appendNewRecord(word);
    if (isVulgar(word)) {
        screen_.sentence = QStringLiteral("そんなモノわたしにおしえるな。");
        face_.mouth = Frame::MouthTeeth;
        // The bared teeth stay: no mouth movement may close them.
        face_.mouthTimer.disable();
        vulgarCount += stored ? 1 : 0;
    } else {
        screen_.sentence = QStringLiteral("なんだ、つまらんな。");
        face_.mouth = Frame::MouthClosed;
        face_.eye = Frame::EyeHalf;
    }
    if (isUseless(word) && stored)
        ++uselessCount;
    for (ChoiceCue &choice : screen_.choices) {
        choice.caption.clear();
        choice.enabled = false;
    }
    clearAnswers();
    step = TeachingStep::Word;
    screen_.entryText.clear();
    screen_.entryOpen = true;
    remarkTimer_.enable();
}
