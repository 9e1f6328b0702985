#include "engine/face.h"

const char *frameName(Frame frame)
{
    static constexpr const char *kNames[] = {
        "design",    "img01",     "img02",     "img03",     "img04",     "img05",     "img06",     "img000",
        "imgAct101", "imgAct102", "imgAct103", "imgAct104", "imgAct105", "imgAct106", "imgAct107", "imgAct108",
        "imgAct109", "imgAct110", "imgAct111",
    };
    return kNames[static_cast<int>(frame)];
}

void Face::tmrTimingTick() { tmrAnime.enable(); }

void Face::tmrAnimeTick()
{
    if (eye == Frame::img01) {
        eye = Frame::img02;
    } else if (eye == Frame::img02) {
        eye = Frame::img03;
    } else {
        eye = Frame::img01;
        tmrAnime.disable();
    }
}

void Face::tmrTalkTick()
{
    constexpr Int16 kLastTick = 11;
    mouth = mouth == Frame::img04 ? Frame::img05 : Frame::img04;
    if (TalkCount >= kLastTick) {
        mouth = Frame::img04;
        tmrTalk.disable();
    }
    ++TalkCount;
}

void Face::tmrActionTick()
{
    if (body == Frame::img000) {
        body = Frame::imgAct101;
    } else if (body >= Frame::imgAct101 && body < Frame::imgAct111) {
        body = static_cast<Frame>(static_cast<int>(body) + 1);
    } else if (body == Frame::imgAct111) {
        body = Frame::img000;
        tmrAnime.enable();
        tmrAction.disable();
    }
    // Any other picture: the sequence waits where it is.
}

void Face::Action()
{
    tmrAction.enable();
    tmrAnime.disable();
}

void Face::startTalking()
{
    tmrTalk.enable();
    TalkCount = 0;
}
