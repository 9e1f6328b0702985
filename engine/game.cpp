#include "engine/game.h"

Game::Game(Environment &environment, QObject *parent) : QObject(parent), environment_(environment)
{
    NewGame();
}

Game::~Game() = default;

void Game::NewGame()
{
    environment_.seedRandom();
    FileName.clear();
    SavedNewRecords = 0;
    FileMark = {};
    CharaName = kCharaName;
    Level = ELevel = DLevel = i = J = DataMax = 0;
    Step = -1;
    Rand = -1;
    LastRand = -1;
    TalkFrom = QStringLiteral("y");
    beginPeriod(environment_.today());
    NewGameRecords = i;

    face.body = Frame::img000;
    face.eye = Frame::img01;
    sentence = QStringLiteral("おまえのなまえは？");
    face.tmrTalk.disable();
    tmrMessage.disable();
    statusMenu = false;
    resetDialogue();
    emit changed();
}

void Game::resetDialogue()
{
    // A question left on screen by a new game or an open would otherwise keep
    // the entry box locked, and the name could not be typed; its answers
    // would be stored with the next word that skips a question.
    Choice = 0;
    clearAnswers();
    entryText.clear();
    entryOpen = true;
    for (ChoiceCue &choice : choices) {
        choice.caption.clear();
        choice.enabled = false;
        choice.lit = false;
    }
}

void Game::txtNyuryokuChange(const QString &text)
{
    if (entryOpen)
        entryText = text;
}

void Game::tmrTenmetsuTick()
{
    if (Choice == 0) {
        for (ChoiceCue &choice : choices)
            choice.lit = false;
    } else if (Choice >= 1 && Choice <= 4) {
        choices[Choice - 1].lit = !choices[Choice - 1].lit;
    }
    emit changed();
}

void Game::faceTicked() { emit changed(); }
