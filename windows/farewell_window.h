#pragma once
// FarewellWindow, "Ending...": the farewell scene. The character says its script one
// line a click, with a moving mouth and blinking eyes of its own, and the
// last click ends the program. A view of the game's FarewellScene.

#include <QWidget>

class FaceView;
class Game;
class Host;
class SpeechLabel;
class QPushButton;
struct FrameStore;

class FarewellWindow : public QWidget {
    Q_OBJECT
public:
    // frames must outlive the window (the stage's store does).
    FarewellWindow(Host &host, Game &game, const FrameStore &frames, QWidget *parent);

    // Shows the scene as the game holds it now.
    void refresh();

    FaceView *face = nullptr; // body, eye, mouth with blinkTimer, eyelidTimer, mouthTimer
    SpeechLabel *speech = nullptr;
    QPushButton *nextButton = nullptr;

protected:
    // The stage is hidden while the scene plays, so closing this window would
    // leave nothing on screen: it ends the program as the last click does.
    void closeEvent(QCloseEvent *event) override;

private:
    Host &host_;
    Game &game_;
};
