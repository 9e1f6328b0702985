#include "engine/farewell.h"

#include "engine/farewell_script.h"

FarewellScene::FarewellScene(const QString &playerName) : sentence(kFarewellOpening), playerName_(playerName) {}

bool FarewellScene::nextLine()
{
    face.startTalking();
    if (lineNumber_ >= kScriptLines)
        return false;
    sentence = scriptLine(lineNumber_, playerName_);
    // The mouth stops on whatever frame it shows, open or not.
    if (isSilentLine(lineNumber_))
        face.mouthTimer.disable();
    ++lineNumber_;
    return true;
}
