#pragma once
// What the program is asked on its command line: to say how it is used, to
// say its version, or to play, perhaps starting from a saved game that the
// file manager hands over.

#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Action { Play, Help, Version, Refuse };
    Action action = Action::Play;
    QString file;   // the saved game to open once the stage is up
    QString output; // what Help, Version and Refuse print
};

// Read before the toolkit starts, so that every answer but Play works where
// no screen is. The toolkit's own options (-platform, -style=..., ...) are
// left to it.
CommandLine parseCommandLine(const QStringList &arguments);
