#include "engine/face.h"

const char *frameName(Frame frame)
{
    static constexpr const char *kNames[] = {
        "look-alike", "open", "half-closed", "closed", "closed", "open", "teeth", "still", "gag1",  "gag2",
        "gag3",       "gag4", "gag5",        "gag6",   "gag7",   "gag8", "gag9",  "gag10", "gag11",
    };
    return kNames[static_cast<int>(frame)];
}

void Face::blinkTick() { eyelidTimer.enable(); }

void Face::eyelidTick()
{
    if (eye == Frame::EyeOpen) {
        eye = Frame::EyeHalf;
    } else if (eye == Frame::EyeHalf) {
        eye = Frame::EyeClosed;
    } else {
        eye = Frame::EyeOpen;
        eyelidTimer.disable();
    }
}

void Face::mouthTick()
{
    constexpr Int16 kLastTick = 11;
    mouth = mouth == Frame::MouthClosed ? Frame::MouthOpen : Frame::MouthClosed;
    if (mouthTicks >= kLastTick) {
        mouth = Frame::MouthClosed;
        mouthTimer.disable();
    }
    ++mouthTicks;
}

void Face::gagTick()
{
    if (body == Frame::Still) {
        body = Frame::Gag1;
    } else if (body >= Frame::Gag1 && body < Frame::Gag11) {
        body = static_cast<Frame>(static_cast<int>(body) + 1);
    } else if (body == Frame::Gag11) {
        body = Frame::Still;
        eyelidTimer.enable();
        gagTimer.disable();
    }
    // Any other picture: the sequence waits where it is.
}

void Face::startGag()
{
    gagTimer.enable();
    eyelidTimer.disable();
}

void Face::startTalking()
{
    mouthTimer.enable();
    mouthTicks = 0;
}

const Timer &Face::timer(FaceTimer which) const
{
    switch (which) {
    case FaceTimer::Blink:
        return blinkTimer;
    case FaceTimer::Eyelid:
        return eyelidTimer;
    case FaceTimer::Mouth:
        return mouthTimer;
    case FaceTimer::Gag:
        break;
    }
    return gagTimer;
}

void Face::tick(FaceTimer which)
{
    switch (which) {
    case FaceTimer::Blink:
        return blinkTick();
    case FaceTimer::Eyelid:
        return eyelidTick();
    case FaceTimer::Mouth:
        return mouthTick();
    case FaceTimer::Gag:
        return gagTick();
    }
}
