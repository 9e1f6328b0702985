#include "windows/face_view.h"

#include "engine/game.h"
#include "windows/frames.h"
#include "windows/stage_widgets.h"

#include <QTimer>

void follow(QTimer *timer, const Timer &rule)
{
    const QVariant seen = timer->property("starts");
    if (timer->interval() != rule.interval())
        timer->setInterval(rule.interval());
    if (!rule.running())
        timer->stop();
    else if (!timer->isActive() || seen != rule.starts())
        timer->start();
    timer->setProperty("starts", rule.starts());
}

FaceView::FaceView(QWidget *window, Face &face, Game &game, const FrameStore &store, bool withAction)
    : QObject(window), face_(face), game_(game), store_(store)
{
    setObjectName(QStringLiteral("face"));
    imgChara = window->findChild<FrameView *>(QStringLiteral("imgChara"));
    imgEye = window->findChild<FrameView *>(QStringLiteral("imgEye"));
    imgKuchi = window->findChild<FrameView *>(QStringLiteral("imgKuchi"));
    imgChara->setAccessibleName(QStringLiteral("キャラクター"));
    imgEye->setAccessibleName(QStringLiteral("キャラクターの目"));
    imgKuchi->setAccessibleName(QStringLiteral("キャラクターの口"));

    tmrTiming = makeTimer(this, "tmrTiming", face.tmrTiming.interval());
    tmrAnime = makeTimer(this, "tmrAnime", face.tmrAnime.interval());
    tmrTalk = makeTimer(this, "tmrTalk", face.tmrTalk.interval());
    // Each tick reaches the face, then the game, which shows the change.
    connect(tmrTiming, &QTimer::timeout, this, [this] {
        face_.tmrTimingTick();
        game_.faceTicked();
    });
    connect(tmrAnime, &QTimer::timeout, this, [this] {
        face_.tmrAnimeTick();
        game_.faceTicked();
    });
    connect(tmrTalk, &QTimer::timeout, this, [this] {
        face_.tmrTalkTick();
        game_.faceTicked();
    });
    if (withAction) {
        tmrAction = makeTimer(this, "tmrAction", face.tmrAction.interval());
        connect(tmrAction, &QTimer::timeout, this, [this] {
            face_.tmrActionTick();
            game_.faceTicked();
        });
    }
}

void FaceView::show()
{
    imgChara->showFrame(face_.body, store_);
    imgEye->showFrame(face_.eye, store_);
    imgKuchi->showFrame(face_.mouth, store_);
    follow(tmrTiming, face_.tmrTiming);
    follow(tmrAnime, face_.tmrAnime);
    follow(tmrTalk, face_.tmrTalk);
    if (tmrAction)
        follow(tmrAction, face_.tmrAction);
}
