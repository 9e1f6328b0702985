#pragma once
// At start-up, before anything else: the games that ended without being
// asked (a crash, a kill, a logout) are offered back, one question each.

class Game;
class Host;
class QWidget;

// Asks about each game left in the journal folder, oldest first, and does
// what the player answers.
void askAboutLeftGames(Host &host, QWidget *parent, Game &game);
