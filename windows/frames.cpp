#include "windows/frames.h"

#include <QGuiApplication>

namespace {

// On a screen of twice the pixel density the pictures drawn at 2x are shown,
// at the same size in points: sharp instead of enlarged.
int artScale() { return qGuiApp && qGuiApp->devicePixelRatio() > 1.0 ? 2 : 1; }

QPixmap art(const QString &name, int scale)
{
    const QString file = scale == 1 ? QStringLiteral(":/art/%1.jpg").arg(name)
                                    : QStringLiteral(":/art/%1@%2x.jpg").arg(name).arg(scale);
    QPixmap pixmap(file);
    Q_ASSERT_X(!pixmap.isNull(), "FrameStore", qPrintable(file));
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

} // namespace

Frame restingFrame(const QString &display)
{
    if (display == u"eye")
        return Frame::EyeOpen;
    if (display == u"mouth")
        return Frame::MouthClosed;
    return Frame::Still;
}

FrameStore::FrameStore() : FrameStore(artScale()) {}

FrameStore::FrameStore(int scale)
    : eyeOpen(art(QStringLiteral("eye_open"), scale)),
      eyeHalf(art(QStringLiteral("eye_half"), scale)),
      eyeClosed(art(QStringLiteral("eye_closed"), scale)),
      mouthClosed(art(QStringLiteral("mouth_closed"), scale)),
      mouthOpen(art(QStringLiteral("mouth_open"), scale)),
      mouthTeeth(art(QStringLiteral("mouth_teeth"), scale)),
      still(art(QStringLiteral("body"), scale))
{
    for (int k = 0; k < kGagFrames; ++k)
        gag[k] = art(QStringLiteral("action%1").arg(k + 1, 2, 10, QLatin1Char('0')), scale);
}

const QPixmap &FrameStore::picture(Frame frame) const
{
    switch (frame) {
    case Frame::LookAlike:
        return none_;
    case Frame::EyeOpen:
        return eyeOpen;
    case Frame::EyeHalf:
        return eyeHalf;
    case Frame::EyeClosed:
        return eyeClosed;
    case Frame::MouthClosed:
        return mouthClosed;
    case Frame::MouthOpen:
        return mouthOpen;
    case Frame::MouthTeeth:
        return mouthTeeth;
    case Frame::Still:
        return still;
    default:
        return gag[static_cast<int>(frame) - static_cast<int>(Frame::Gag1)];
    }
}

FrameView::FrameView(QWidget *parent) : QLabel(parent) {}

void FrameView::showFrame(Frame frame, const FrameStore &store)
{
    if (started_ && frame == shown_)
        return;
    started_ = true;
    shown_ = frame;
    setPixmap(frame == Frame::LookAlike ? store.picture(restingFrame(objectName())).copy() : store.picture(frame));
}
