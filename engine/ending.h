#pragma once
// The farewell scene's rules (what the farewell window shows): the script
// one line a click, with a face of its own.

#include "engine/face.h"

#include <QString>

class EndingScene {
public:
    // The scene begins: the opening dots, the eyes blinking, the mouth still.
    explicit EndingScene(const QString &yourName);

    // The next line; false once every line was said and the next click is
    // the goodbye.
    bool cmdNextClick();

    Face face;
    QString sentence;   // lblMessage of the scene
    Int16 ScriptLine = 0;
    QString YourName;   // the user's name when the scene began
};
