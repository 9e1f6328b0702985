#pragma once
// The face on screen: the eye, mouth and body displays a window's layout
// made, and the timers that move them. The stage and the farewell scene each
// show their face through one.

#include "engine/face.h"

#include <QObject>

#include <functional>

class FrameView;
class Timer;
class QTimer;
class QWidget;
struct FrameStore;

class FaceView : public QObject {
    Q_OBJECT
public:
    // The displays are the window's body, eye and mouth; a face with the toy
    // dog gag has a gag timer too. Each tick goes to `tick`, which hands it
    // to the game.
    FaceView(QWidget *window, const Face &face, std::function<void(FaceTimer)> tick, const FrameStore &store,
             bool withGag);

    // Shows the cues and runs the timers as the face has them now.
    void show();

    FrameView *body = nullptr;
    FrameView *eye = nullptr;
    FrameView *mouth = nullptr;
    QTimer *blinkTimer = nullptr;
    QTimer *eyelidTimer = nullptr;
    QTimer *mouthTimer = nullptr;
    QTimer *gagTimer = nullptr;

private:
    const Face &face_;
    const FrameStore &store_;
};

// Runs a QTimer as the rules' timer says: on or off, its interval, and a
// fresh countdown where the rules started one.
void follow(QTimer *timer, const Timer &rule);
