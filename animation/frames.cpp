#include "animation/frames.h"

#include <QGroupBox>

namespace {
QPixmap art(const QString &name)
{
    QPixmap pixmap(QStringLiteral(":/art/") + name);
    Q_ASSERT_X(!pixmap.isNull(), "FrameStore", qPrintable(name));
    return pixmap;
}
} // namespace

FrameStore::FrameStore()
    : img01(art(QStringLiteral("eye_open.jpg"))),
      img02(art(QStringLiteral("eye_half.jpg"))),
      img03(art(QStringLiteral("eye_closed.jpg"))),
      img04(art(QStringLiteral("mouth_closed.jpg"))),
      img05(art(QStringLiteral("mouth_open.jpg"))),
      img06(art(QStringLiteral("mouth_teeth.jpg"))),
      img000(art(QStringLiteral("body.jpg")))
{
    for (int k = 0; k < kActionFrames; ++k)
        imgAct[k] = art(QStringLiteral("action%1.jpg").arg(k + 1, 2, 10, QLatin1Char('0')));
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
        holder->setGeometry(QRect(QPoint(x, kCaptionHeight), p.picture->size()));
        x += p.picture->width() + kMargin;
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
