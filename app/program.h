#pragma once
// The program from its command line to its end, as main() runs it and as the
// tests run it.

#include <QString>

#include <functional>

class Environment;
class StageWindow;
class Host;

// What a test puts in place of the desktop: the seams, and a look at the
// stage once it is up instead of the event loop.
struct Launch {
    Environment *environment = nullptr; // the clock and chance; the system's when null
    Host *host = nullptr;               // message boxes and exit; the desktop's when null
    // Called with the stage after start-up, in place of running the event
    // loop; the program then ends.
    std::function<void(StageWindow &)> started;
    // Where unsaved records are kept for recovery; the player's state folder when empty.
    QString journalFolder;
};

// Help and version go to standard output and return 0; a refused command
// line goes to standard error and returns 2; otherwise the game plays.
int runProgram(int argc, char *argv[], const Launch &launch = {});
