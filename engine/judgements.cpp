// What the character makes of a stored answer when it meets the word again.

#include "engine/game.h"

bool Game::isVulgar(const WordRecord &record) { return codeIs(record.Vulgar, Code::Vulgarity::Vulgar); }

bool Game::isUseless(const WordRecord &record) { return codeIs(record.Useful, Code::Usefulness::Useless); }

bool Game::isDisliked(const WordRecord &record) { return codeIs(record.Like, Code::Liking::Dislikes); }
