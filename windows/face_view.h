#pragma once
// The face on screen: the eye, mouth and body displays a window's layout
// made, and the timers that move them. The stage and the farewell scene each
// show their face through one.

#include <QObject>

class FrameView;
class Face;
class Timer;
class Game;
class QTimer;
class QWidget;
struct FrameStore;

class FaceView : public QObject {
    Q_OBJECT
public:
    // The displays are the window's imgChara, imgEye and imgKuchi; a face
    // with the toy dog has tmrAction too.
    FaceView(QWidget *window, Face &face, Game &game, const FrameStore &store, bool withAction);

    // Shows the cues and runs the timers as the face has them now.
    void show();

    FrameView *imgChara = nullptr;
    FrameView *imgEye = nullptr;
    FrameView *imgKuchi = nullptr;
    QTimer *tmrTiming = nullptr;
    QTimer *tmrAnime = nullptr;
    QTimer *tmrTalk = nullptr;
    QTimer *tmrAction = nullptr;

private:
    Face &face_;
    Game &game_;
    const FrameStore &store_;
};

// Runs a QTimer as the rules' timer says: on or off, its interval, and a
// fresh countdown where the rules started one.
void follow(QTimer *timer, const Timer &rule);
