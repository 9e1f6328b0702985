#include "animation/frames.h"

#include <QGroupBox>
#include <QGuiApplication>

namespace {

// On a screen of twice the pixel density the pictures drawn at 2x are shown,
// at the same size in points: sharp instead of enlarged.
int artScale() { return qGuiApp && qGuiApp->devicePixelRatio() > 1.0 ? 2 : 1; }

QPixmap art(const char *name, int scale)
{
    const QString file = scale == 1 ? QStringLiteral(":/art/%1.jpg").arg(QLatin1String(name))
                                    : QStringLiteral(":/art/%1@%2x.jpg").arg(QLatin1String(name)).arg(scale);
    QPixmap pixmap(file);
    Q_ASSERT_X(!pixmap.isNull(), "FrameStore", qPrintable(file));
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

} // namespace

FrameStore::FrameStore() : FrameStore(artScale()) {}

FrameStore::FrameStore(int scale)
    : img01(art("eye_open", scale)),
      img02(art("eye_half", scale)),
      img03(art("eye_closed", scale)),
      img04(art("mouth_closed", scale)),
      img05(art("mouth_open", scale)),
      img06(art("mouth_teeth", scale)),
      img000(art("body", scale))
{
    for (int k = 0; k < kActionFrames; ++k)
        imgAct[k] = art(QStringLiteral("action%1").arg(k + 1, 2, 10, QLatin1Char('0')).toLatin1().constData(), scale);
}

QGroupBox *makeStoreFrame(QWidget *parent, const char *name, const QString &caption,
                          QRect geometry, std::initializer_list<StorePicture> pictures)
{
    constexpr int kMargin = 8;
    constexpr int kCaptionHeight = 20;
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(geometry);
    // Out of sight is not enough for assistive technology, which would list
    // every stored picture as shown.
    frame->setVisible(false);
    int x = kMargin;
    for (const StorePicture &p : pictures) {
        auto *holder = new QLabel(frame);
        holder->setObjectName(QLatin1String(p.name));
        holder->setPixmap(*p.picture);
        const QSize size = p.picture->deviceIndependentSize().toSize();
        holder->setGeometry(QRect(QPoint(x, kCaptionHeight), size));
        x += size.width() + kMargin;
    }
    return frame;
}

FrameView::FrameView(QWidget *parent) : QLabel(parent) {}

void FrameView::showFrame(const QPixmap &frame)
{
    shown_ = &frame;
    setPixmap(frame);
}

void FrameView::showDesignPicture(const QPixmap &lookAlike)
{
    shown_ = nullptr;
    setPixmap(lookAlike.copy());
}

FrameView *makeFrameView(QWidget *parent, const char *name, QRect geometry, const QPixmap &lookAlike)
{
    auto *view = new FrameView(parent);
    view->setObjectName(QLatin1String(name));
    view->setGeometry(geometry);
    view->showDesignPicture(lookAlike);
    return view;
}

FrameView *makeBodyView(QWidget *parent, QRect geometry, const QPixmap &lookAlike)
{
    constexpr int kBorder = 2;
    FrameView *view = makeFrameView(parent, "imgChara", geometry, lookAlike);
    view->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    view->setLineWidth(kBorder);
    return view;
}

bool stepBlink(FrameView &eye, const FrameStore &store)
{
    if (eye.shows(store.img01)) {
        eye.showFrame(store.img02);
        return false;
    }
    if (eye.shows(store.img02)) {
        eye.showFrame(store.img03);
        return false;
    }
    eye.showFrame(store.img01);
    return true;
}

bool stepTalk(FrameView &mouth, const FrameStore &store, qint16 &talkCount)
{
    constexpr qint16 kLastTick = 11;
    mouth.showFrame(mouth.shows(store.img04) ? store.img05 : store.img04);
    const bool over = talkCount >= kLastTick;
    if (over)
        mouth.showFrame(store.img04);
    ++talkCount;
    return over;
}
