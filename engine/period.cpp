// The two ways a finished period goes on: the farewell scene, or a new period
// with the same memory.

#include "engine/farewell_script.h"
#include "engine/game.h"

void Game::beginFarewell()
{
    // The stage stays loaded, its timers running unseen; there is no way
    // back to it from the scene.
    if (farewell_)
        return;
    farewell_.emplace(playerName);
    emit farewellBegins();
}

void Game::beginNextPeriod()
{
    emit message(QStringLiteral("このデータを再利用します。"));
    screen_.sentence = QStringLiteral("やあ") + playerName + QStringLiteral("。またきたぞ。");
    // The memory and the levels stay as loaded; only a new period begins.
    beginPeriod(environment_.today());
}

void Game::nextLine()
{
    if (!farewell_)
        return;
    if (!farewell_->nextLine()) {
        emit message(kFarewellGoodbye);
        // The period is over: words taken back into it after a crash have
        // no game to go on in, and must not bring the farewell back.
        leave();
        emit quitRequested();
    }
    emit changed();
}
