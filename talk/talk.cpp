// The character's chatter: every message tick draws a remembered record and
// hands it to the generator for its kind, while the talk tick moves the mouth.

#include "app/host.h"
#include "app/main_window.h"

#include <QLabel>
#include <QTimer>

void Form1::tmrMessageTick()
{
    enableTimer(tmrTalk);
    TalkCount = 0;
    Message();
}

void Form1::tmrTalkTick()
{
    if (stepTalk(*imgKuchi, frames, TalkCount))
        tmrTalk->stop();
}

void Form1::Message()
{
    const int n = i + DataMax;
    Rand = static_cast<Int16>(drawIndex(host_.nextRandom(), n));
    if (Rand == LastRand) {
        tmrTalk->stop();
        return;
    }
    LastRand = Rand;
    if (Rand <= 0) {
        lblMessage->setText(QStringLiteral("なにかことばおしえろ。"));
        return;
    }
    const DrawnRecord drawn = mapDraw(Rand, DataMax);
    Rand = static_cast<Int16>(drawn.index);
    TalkFrom = drawn.memory == Memory::Data ? QStringLiteral("y") : QStringLiteral("q");
    const WordRecord &record = talkRecord();
    TalkWord = textOf(record.Text);
    // Name and date records have no generator: the sentence stays while the
    // mouth moves.
    static constexpr void (Form1::*kGenerators[])() = {
        &Form1::JobMsg, &Form1::LifeMsg, &Form1::FoodMsg,    &Form1::DoMsg,   &Form1::ManMsg,
        &Form1::GroupMsg, &Form1::PlaceMsg, &Form1::AisatsuMsg, &Form1::BookMsg, &Form1::MeiKakuMsg,
    };
    if (const std::optional<Generator> generator = generatorFor(record))
        (this->*kGenerators[static_cast<int>(*generator)])();
}

void Form1::remark(Generator generator)
{
    EroHantei();
    DameHantei();
    const RemarkTemplates text = remarkTemplates(generator, TalkWord, YourName);
    if (HateHantei(Rand) == 0) {
        lblMessage->setText(text.liked);
        return;
    }
    lblMessage->setText(text.disliked);
    tmrTalk->stop();
    imgKuchi->showFrame(frames.img06);
}

void Form1::JobMsg() { remark(Generator::Job); }
void Form1::LifeMsg() { remark(Generator::Life); }
void Form1::FoodMsg() { remark(Generator::Food); }
void Form1::DoMsg() { remark(Generator::Do); }
void Form1::ManMsg() { remark(Generator::Man); }
void Form1::GroupMsg() { remark(Generator::Group); }
void Form1::PlaceMsg() { remark(Generator::Place); }
void Form1::BookMsg() { remark(Generator::Book); }
void Form1::MeiKakuMsg() { remark(Generator::MeiKaku); }

void Form1::AisatsuMsg()
{
    // Called straight after a file is opened, when no draw has set the word.
    TalkWord = textOf(talkRecord().Text);
    remark(Generator::Aisatsu);
}
