#include "engine/ending.h"

#include "engine/ending_script.h"

EndingScene::EndingScene(const QString &yourName) : sentence(kEndingOpening), YourName(yourName) {}

bool EndingScene::cmdNextClick()
{
    face.startTalking();
    if (ScriptLine >= kScriptLines)
        return false;
    sentence = scriptLine(ScriptLine, YourName);
    // The mouth stops on whatever frame it shows, open or not.
    if (isSilentLine(ScriptLine))
        face.tmrTalk.disable();
    ++ScriptLine;
    return true;
}
