// The two ways a finished period goes on: the farewell scene, or a new period
// with the same memory.

#include "engine/game.h"
#include "engine/ending_script.h"

void Game::Ending()
{
    // The stage stays loaded, its timers running unseen; there is no way
    // back to it from the scene.
    if (!ending)
        ending.emplace(YourName);
}

void Game::AfterEnd()
{
    emit message(QStringLiteral("このデータを再利用します。"));
    sentence = QStringLiteral("やあ") + YourName + QStringLiteral("。またきたぞ。");
    // The memory and the levels stay as loaded; only a new period begins.
    beginPeriod(environment_.today());
}

void Game::cmdNextClick()
{
    if (!ending)
        return;
    if (!ending->cmdNextClick()) {
        emit message(kEndingFarewell);
        // The period is over: words taken back into it after a crash have
        // no game to go on in, and must not bring the farewell back.
        leave();
        emit quitRequested();
    }
    emit changed();
}
