#pragma once
// The character's picture frames and the displays that show them.
//
// A display "shows frame X" only while it holds that very store frame: it
// keeps a pointer to the frame it was handed, never a copy. A display set up
// with a look-alike copy (its design picture) shows no frame at all, which is
// what the animation steps test against.

#include <QLabel>
#include <QPixmap>

#include <array>
#include <initializer_list>

struct FrameStore {
    static constexpr int kActionFrames = 11;

    // The pictures for the application's screens: 2x ones where any screen
    // has twice the pixel density (or more), 1x ones otherwise.
    FrameStore();
    // 1 or 2.
    explicit FrameStore(int scale);

    QPixmap img01, img02, img03;            // eyes: open, half closed, closed
    QPixmap img04, img05, img06;            // mouth: closed, open, bared teeth
    QPixmap img000;                         // the still body
    std::array<QPixmap, kActionFrames> imgAct; // action 1: imgAct101 ... imgAct111
};

class QGroupBox;

// A hidden store frame: a captioned group box holding pictures under their
// names. Windows place it below their client area, where it is never seen.
struct StorePicture {
    const char *name;
    const QPixmap *picture;
};
QGroupBox *makeStoreFrame(QWidget *parent, const char *name, const QString &caption,
                          QRect geometry, std::initializer_list<StorePicture> pictures);

class FrameView : public QLabel {
    Q_OBJECT
public:
    explicit FrameView(QWidget *parent = nullptr);

    void showFrame(const QPixmap &frame);
    // A picture that looks like a frame but is not one of the store's.
    void showDesignPicture(const QPixmap &lookAlike);

    bool shows(const QPixmap &frame) const { return shown_ == &frame; }
    const QPixmap *shownFrame() const { return shown_; }

private:
    const QPixmap *shown_ = nullptr;
};

// A display starting on a look-alike of a frame. The body display has a
// 2-pixel sunken border around its picture: the eye and mouth displays are
// placed 39, 29 and 50, 59 pixels into it, which is where the face lies.
FrameView *makeFrameView(QWidget *parent, const char *name, QRect geometry, const QPixmap &lookAlike);
FrameView *makeBodyView(QWidget *parent, QRect geometry, const QPixmap &lookAlike);

// One blink step on an eye display: open -> half closed -> closed -> open.
// Returns true when the blink is over and its timer should stop.
bool stepBlink(FrameView &eye, const FrameStore &store);

// One talk step on a mouth display: toggles closed/open; after the twelfth
// tick of a remark it closes the mouth. Returns true when the talk timer
// should stop. talkCount counts the ticks.
bool stepTalk(FrameView &mouth, const FrameStore &store, qint16 &talkCount);
