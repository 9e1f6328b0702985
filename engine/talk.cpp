// The character's chatter: every message tick draws a remembered record and
// hands it to the generator for its kind, while the talk tick moves the mouth.

#include "engine/game.h"

void Game::remarkTick()
{
    face_.startTalking();
    drawRemark();
    emit changed();
}

void Game::drawRemark()
{
    const int draw = drawIndex(environment_.nextRandom(), newCount + fileCount);
    if (draw == lastDraw) {
        face_.mouthTimer.disable();
        return;
    }
    lastDraw = static_cast<Int16>(draw);
    if (draw <= 0) {
        screen_.sentence = QStringLiteral("なにかことばおしえろ。");
        return;
    }
    const DrawnRecord drawn = mapDraw(draw, fileCount);
    talkFrom = drawn.memory;
    talkIndex = static_cast<Int16>(drawn.index);
    talkWord = textOf(talkRecord().Text);
    // Name and date records have no generator: the sentence stays while the
    // mouth moves.
    if (const std::optional<Generator> generator = generatorFor(talkRecord()))
        remark(*generator);
}

void Game::remark(Generator generator)
{
    // Each gag starts the toy dog; a word both vulgar and useless starts it twice.
    if (isVulgar(talkRecord()))
        face_.startGag();
    if (isUseless(talkRecord()))
        face_.startGag();
    const RemarkTemplates text = remarkTemplates(generator, talkWord, playerName);
    if (!isDisliked(talkRecord())) {
        screen_.sentence = text.liked;
        return;
    }
    screen_.sentence = text.disliked;
    face_.mouthTimer.disable();
    face_.mouth = Frame::MouthTeeth;
}
