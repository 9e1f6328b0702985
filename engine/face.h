#pragma once
// The character's face as cues: which stored frame the eye, mouth and body
// displays show, and the timers that move them. The windows turn each cue
// into its picture; the stage and the farewell scene each have a face.

#include "engine/timer.h"
#include "types/word_record.h"

// The store frames by their names, and the look-alike picture a display
// holds until it is first handed a store frame.
// The body rests on Still; the toy dog gag runs Gag1 to Gag11.
enum class Frame {
    LookAlike,
    EyeOpen,
    EyeHalf,
    EyeClosed,
    MouthClosed,
    MouthOpen,
    MouthTeeth,
    Still,
    Gag1,
    Gag2,
    Gag3,
    Gag4,
    Gag5,
    Gag6,
    Gag7,
    Gag8,
    Gag9,
    Gag10,
    Gag11,
};
constexpr int kGagFrames = 11;

const char *frameName(Frame frame);

// The face's timers, as the views run them.
enum class FaceTimer {
    Blink,  // every 3.5 s: a blink starts
    Eyelid, // the blink's frames, one a tick
    Mouth,  // the mouth moving while the character speaks
    Gag,    // the toy dog's frames, one a tick
};

class Face {
public:
    Frame eye = Frame::LookAlike;
    Frame mouth = Frame::LookAlike;
    Frame body = Frame::LookAlike;

    Timer blinkTimer{3500, true};
    Timer eyelidTimer{100, true};
    Timer mouthTimer{200, false};
    Timer gagTimer{100, false};
    // Mouth ticks since the last remark or script line, kept here beside the
    // mouth it counts for.
    Int16 mouthTicks = 0;

    const Timer &timer(FaceTimer which) const;
    // One tick of that timer.
    void tick(FaceTimer which);
    // Starts one blink.
    void blinkTick();
    // open -> half closed -> closed -> open, then the blink is over.
    void eyelidTick();
    // Closed and open in turn; the twelfth tick closes the mouth and stops.
    void mouthTick();
    // The toy dog's frames one a tick, then the still body and the blink.
    void gagTick();
    // Starts the toy dog; the eyes stop blinking meanwhile.
    void startGag();
    // The mouth starts moving for a new sentence.
    void startTalking();
};
