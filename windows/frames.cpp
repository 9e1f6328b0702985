#include "windows/frames.h"

#include <QGroupBox>
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

// The look-alike each display starts on: the frame it shows at rest.
Frame restingFrame(const QString &display)
{
    if (display == u"imgEye")
        return Frame::img01;
    if (display == u"imgKuchi")
        return Frame::img04;
    return Frame::img000;
}

} // namespace

FrameStore::FrameStore() : FrameStore(artScale()) {}

FrameStore::FrameStore(int scale)
    : img01(art(QStringLiteral("eye_open"), scale)),
      img02(art(QStringLiteral("eye_half"), scale)),
      img03(art(QStringLiteral("eye_closed"), scale)),
      img04(art(QStringLiteral("mouth_closed"), scale)),
      img05(art(QStringLiteral("mouth_open"), scale)),
      img06(art(QStringLiteral("mouth_teeth"), scale)),
      img000(art(QStringLiteral("body"), scale))
{
    for (int k = 0; k < kActionFrames; ++k)
        imgAct[k] = art(QStringLiteral("action%1").arg(k + 1, 2, 10, QLatin1Char('0')), scale);
}

const QPixmap &FrameStore::picture(Frame frame) const
{
    switch (frame) {
    case Frame::Design: return none_;
    case Frame::img01: return img01;
    case Frame::img02: return img02;
    case Frame::img03: return img03;
    case Frame::img04: return img04;
    case Frame::img05: return img05;
    case Frame::img06: return img06;
    case Frame::img000: return img000;
    default: return imgAct[static_cast<int>(frame) - static_cast<int>(Frame::imgAct101)];
    }
}

void fillStoreFrame(QGroupBox *frame, const FrameStore &store, std::initializer_list<Frame> frames)
{
    constexpr int kMargin = 8;
    constexpr int kCaptionHeight = 20;
    // Out of sight is not enough for assistive technology, which would list
    // every stored picture as shown.
    frame->setVisible(false);
    int x = kMargin;
    for (const Frame f : frames) {
        auto *holder = new QLabel(frame);
        holder->setObjectName(QLatin1String(frameName(f)));
        holder->setPixmap(store.picture(f));
        const QSize size = store.picture(f).deviceIndependentSize().toSize();
        holder->setGeometry(QRect(QPoint(x, kCaptionHeight), size));
        x += size.width() + kMargin;
    }
}

FrameView::FrameView(QWidget *parent) : QLabel(parent) {}

void FrameView::showFrame(Frame frame, const FrameStore &store)
{
    if (started_ && frame == shown_)
        return;
    started_ = true;
    shown_ = frame;
    setPixmap(frame == Frame::Design ? store.picture(restingFrame(objectName())).copy() : store.picture(frame));
}
