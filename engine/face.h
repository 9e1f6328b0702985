#pragma once
// The character's face as cues: which stored frame the eye, mouth and body
// displays show, and the timers that move them. The windows turn each cue
// into its picture; the stage and the farewell scene each have a face.

#include "engine/timer.h"
#include "types/word_record.h"

// The store frames by their names, and the look-alike picture a display
// holds until it is first handed a store frame.
enum class Frame {
    Design,
    img01, img02, img03,     // eyes: open, half closed, closed
    img04, img05, img06,     // mouth: closed, open, bared teeth
    img000,                  // the still body
    imgAct101, imgAct102, imgAct103, imgAct104, imgAct105, imgAct106,
    imgAct107, imgAct108, imgAct109, imgAct110, imgAct111, // action 1: the toy dog
};
constexpr int kActionFrames = 11;

const char *frameName(Frame frame);

class Face {
public:
    Frame eye = Frame::Design;   // imgEye
    Frame mouth = Frame::Design; // imgKuchi
    Frame body = Frame::Design;  // imgChara

    Timer tmrTiming{3500, true};
    Timer tmrAnime{100, true};
    Timer tmrTalk{200, false};
    Timer tmrAction{100, false};
    // Talk ticks since the last remark or script line, kept here beside the
    // mouth it counts for.
    Int16 TalkCount = 0;

    // Starts one blink.
    void tmrTimingTick();
    // open -> half closed -> closed -> open, then the blink is over.
    void tmrAnimeTick();
    // Closed and open in turn; the twelfth tick closes the mouth and stops.
    void tmrTalkTick();
    // The toy dog's frames one a tick, then the still body and the blink.
    void tmrActionTick();
    // Starts the toy dog; the eyes stop blinking meanwhile.
    void Action();
    // The mouth starts moving for a new sentence.
    void startTalking();
};
