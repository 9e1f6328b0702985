// The character's chatter: every message tick draws a remembered record and
// hands it to the generator for its kind, while the talk tick moves the mouth.

#include "engine/game.h"

void Game::tmrMessageTick()
{
    face.startTalking();
    Message();
    emit changed();
}

void Game::Message()
{
    const int n = i + DataMax;
    Rand = static_cast<Int16>(drawIndex(environment_.nextRandom(), n));
    if (Rand == LastRand) {
        face.tmrTalk.disable();
        return;
    }
    LastRand = Rand;
    if (Rand <= 0) {
        sentence = QStringLiteral("なにかことばおしえろ。");
        return;
    }
    const DrawnRecord drawn = mapDraw(Rand, DataMax);
    Rand = static_cast<Int16>(drawn.index);
    TalkFrom = drawn.memory == Memory::Data ? QStringLiteral("y") : QStringLiteral("q");
    const WordRecord &record = talkRecord();
    TalkWord = textOf(record.Text);
    // Name and date records have no generator: the sentence stays while the
    // mouth moves.
    static constexpr void (Game::*kGenerators[])() = {
        &Game::JobMsg,   &Game::LifeMsg,  &Game::FoodMsg,    &Game::DoMsg,   &Game::ManMsg,
        &Game::GroupMsg, &Game::PlaceMsg, &Game::AisatsuMsg, &Game::BookMsg, &Game::MeiKakuMsg,
    };
    if (const std::optional<Generator> generator = generatorFor(record))
        (this->*kGenerators[static_cast<int>(*generator)])();
}

void Game::remark(Generator generator)
{
    EroHantei();
    DameHantei();
    const RemarkTemplates text = remarkTemplates(generator, TalkWord, YourName);
    if (HateHantei(Rand) == 0) {
        sentence = text.liked;
        return;
    }
    sentence = text.disliked;
    face.tmrTalk.disable();
    face.mouth = Frame::img06;
}

void Game::JobMsg() { remark(Generator::Job); }
void Game::LifeMsg() { remark(Generator::Life); }
void Game::FoodMsg() { remark(Generator::Food); }
void Game::DoMsg() { remark(Generator::Do); }
void Game::ManMsg() { remark(Generator::Man); }
void Game::GroupMsg() { remark(Generator::Group); }
void Game::PlaceMsg() { remark(Generator::Place); }
void Game::BookMsg() { remark(Generator::Book); }
void Game::MeiKakuMsg() { remark(Generator::MeiKaku); }

void Game::AisatsuMsg()
{
    // Called straight after a file is opened, when no draw has set the word.
    TalkWord = textOf(talkRecord().Text);
    remark(Generator::Aisatsu);
}
