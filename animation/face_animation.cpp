// The main window's face: the blink, action 1 (the toy dog) and the blink of
// the clicked answer choice.

#include "app/main_window.h"
#include "app/stage_widgets.h"

#include <QTimer>

void Form1::tmrTimingTick() { enableTimer(tmrAnime); }

void Form1::tmrAnimeTick()
{
    if (stepBlink(*imgEye, frames))
        tmrAnime->stop();
}

void Form1::tmrActionTick()
{
    if (imgChara->shows(frames.img000)) {
        imgChara->showFrame(frames.imgAct[0]);
        return;
    }
    for (int k = 0; k + 1 < FrameStore::kActionFrames; ++k) {
        if (imgChara->shows(frames.imgAct[k])) {
            imgChara->showFrame(frames.imgAct[k + 1]);
            return;
        }
    }
    if (imgChara->shows(frames.imgAct.back())) {
        imgChara->showFrame(frames.img000);
        enableTimer(tmrAnime);
        tmrAction->stop();
    }
    // Any other picture: the sequence waits where it is.
}

void Form1::Action()
{
    enableTimer(tmrAction);
    tmrAnime->stop();
}

void Form1::tmrTenmetsuTick()
{
    if (Choice == 0) {
        for (ChoiceLabel *label : lblSentaku)
            label->setOpaque(false);
    } else if (Choice >= 1 && Choice <= 4) {
        ChoiceLabel *label = lblSentaku[Choice - 1];
        label->setOpaque(!label->isOpaque());
    }
}
