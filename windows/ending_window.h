#pragma once
// Form4, "Ending...": the farewell scene. The character says its script one
// line a click, with a moving mouth and blinking eyes of its own, and the
// last click ends the program.

#include "app/game_state.h"

#include <QWidget>

class Balloon;
class FrameView;
class Host;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
struct FrameStore;

class Form4 : public QWidget {
    Q_OBJECT
public:
    // frames must outlive the window (the stage's store does).
    Form4(Host &host, const FrameStore &frames, const QString &yourName, QWidget *parent);

    void cmdNextClick();
    void tmrTimingTick();
    void tmrAnimeTick();
    void tmrTalkTick();

    FrameView *imgChara = nullptr;
    FrameView *imgEye = nullptr;
    FrameView *imgKuchi = nullptr;
    Balloon *Shape1 = nullptr;
    QLabel *lblMessage = nullptr;
    QPushButton *cmdNext = nullptr;
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;

    QTimer *tmrTiming = nullptr;
    QTimer *tmrAnime = nullptr;
    QTimer *tmrTalk = nullptr;

    Int16 TalkCount = 0;
    Int16 ScriptLine = 0;
    QString YourName;   // the user's name when the scene began

protected:
    // The stage is hidden while the scene plays, so closing this window would
    // leave nothing on screen: it ends the program as the last click does.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildPictureStore();
    void buildTimers();
    void load();

    Host &host_;
    const FrameStore &frames_;
};
