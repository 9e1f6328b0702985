#include "windows/recovery_questions.h"

#include "engine/game.h"
#include "engine/recovery.h"
#include "windows/host.h"

void askAboutLeftGames(Host &host, QWidget *parent, Game &game)
{
    LeftGames left(game);
    while (const std::optional<LeftGames::Question> question = left.next())
        left.answer(host.ask(parent, question->text, question->buttons, question->defaultButton));
}
