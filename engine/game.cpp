#include "engine/game.h"

Game::Game(Environment &environment, QObject *parent) : QObject(parent), environment_(environment) { newGame(); }

Game::~Game() = default;

void Game::newGame()
{
    environment_.seedRandom();
    currentFile_.clear();
    savedNewRecords_ = 0;
    fileMark_ = {};
    characterName = kCharacterName;
    level = vulgarCount = uselessCount = newCount = fileCount = 0;
    step = TeachingStep::Name;
    talkFrom = Memory::File;
    talkIndex = -1;
    lastDraw = -1;
    beginPeriod(environment_.today());
    newGameRecords_ = newCount;

    face_.body = Frame::Still;
    face_.eye = Frame::EyeOpen;
    screen_.sentence = QStringLiteral("おまえのなまえは？");
    face_.mouthTimer.disable();
    remarkTimer_.disable();
    screen_.statusAvailable = false;
    resetDialogue();
    emit changed();
}

void Game::resetDialogue()
{
    // A question left on screen by a new game or an open would otherwise keep
    // the entry box locked, and the name could not be typed; its answers
    // would be stored with the next word that skips a question.
    picked = 0;
    clearAnswers();
    screen_.entryText.clear();
    screen_.entryOpen = true;
    for (ChoiceCue &choice : screen_.choices) {
        choice.caption.clear();
        choice.enabled = false;
        choice.lit = false;
    }
}

void Game::typed(const QString &text)
{
    if (screen_.entryOpen)
        screen_.entryText = text;
}

void Game::answerBlinkTick()
{
    if (picked == 0) {
        for (ChoiceCue &choice : screen_.choices)
            choice.lit = false;
    } else if (picked >= 1 && picked <= 4) {
        screen_.choices[picked - 1].lit = !screen_.choices[picked - 1].lit;
    }
    emit changed();
}

void Game::faceTick(FaceTimer timer)
{
    face_.tick(timer);
    emit changed();
}

void Game::farewellFaceTick(FaceTimer timer)
{
    if (farewell_)
        farewell_->face.tick(timer);
    emit changed();
}
