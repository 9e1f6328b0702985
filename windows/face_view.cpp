#include "windows/face_view.h"

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

FaceView::FaceView(QWidget *window, const Face &face, std::function<void(FaceTimer)> tick, const FrameStore &store,
                   bool withGag)
    : QObject(window), face_(face), store_(store)
{
    setObjectName(QStringLiteral("face"));
    body = window->findChild<FrameView *>(QStringLiteral("body"));
    eye = window->findChild<FrameView *>(QStringLiteral("eye"));
    mouth = window->findChild<FrameView *>(QStringLiteral("mouth"));
    body->setAccessibleName(QStringLiteral("キャラクター"));
    eye->setAccessibleName(QStringLiteral("キャラクターの目"));
    mouth->setAccessibleName(QStringLiteral("キャラクターの口"));

    const auto timer = [&](QTimer *&pointer, const char *name, FaceTimer which) {
        pointer = makeTimer(this, name, face.timer(which).interval());
        connect(pointer, &QTimer::timeout, this, [tick, which] { tick(which); });
    };
    timer(blinkTimer, "blinkTimer", FaceTimer::Blink);
    timer(eyelidTimer, "eyelidTimer", FaceTimer::Eyelid);
    timer(mouthTimer, "mouthTimer", FaceTimer::Mouth);
    if (withGag)
        timer(gagTimer, "gagTimer", FaceTimer::Gag);
}

void FaceView::show()
{
    body->showFrame(face_.body, store_);
    eye->showFrame(face_.eye, store_);
    mouth->showFrame(face_.mouth, store_);
    follow(blinkTimer, face_.blinkTimer);
    follow(eyelidTimer, face_.eyelidTimer);
    follow(mouthTimer, face_.mouthTimer);
    if (gagTimer)
        follow(gagTimer, face_.gagTimer);
}
