// What the character makes of a stored answer when it meets the word again.

#include "engine/game.h"

void Game::EroHantei()
{
    if (codeIs(talkRecord().Vulgar, 1))
        face.Action();
}

void Game::DameHantei()
{
    if (codeIs(talkRecord().Useful, 2))
        face.Action();
}

Int16 Game::HateHantei(int index, std::optional<Memory> memory) const
{
    const Memory where = memory.value_or(TalkFrom == u"y" ? Memory::Data : Memory::NewData);
    return codeIs(record(where, index).Like, 3) ? 1 : 0;
}
