#pragma once
// The farewell scene's rules (what the farewell window shows): the script
// one line a click, with a face of its own.

#include "engine/face.h"

#include <QString>

class FarewellScene {
public:
    // The scene begins: the opening dots, the eyes blinking, the mouth still.
    explicit FarewellScene(const QString &playerName);

    // The next line; false once every line was said and the next click is
    // the goodbye.
    bool nextLine();

    Face face;
    QString sentence; // what the character says now

private:
    Int16 lineNumber_ = 0;
    QString playerName_; // the player's name when the scene began
};
