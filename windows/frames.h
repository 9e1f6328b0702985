#pragma once
// The character's pictures, and the displays that show a face cue.

#include "engine/face.h"

#include <QLabel>
#include <QPixmap>

#include <array>

struct FrameStore {
    // The pictures for the application's screens: 2x ones where any screen
    // has twice the pixel density (or more), 1x ones otherwise.
    FrameStore();
    // 1 or 2.
    explicit FrameStore(int scale);

    // The picture of a store frame; null for Frame::LookAlike, which is no
    // frame of the store.
    const QPixmap &picture(Frame frame) const;

    QPixmap eyeOpen, eyeHalf, eyeClosed;
    QPixmap mouthClosed, mouthOpen, mouthTeeth;
    QPixmap still;
    std::array<QPixmap, kGagFrames> gag;

private:
    QPixmap none_;
};

// The frame a display ("eye", "mouth" or "body") shows at rest, whose
// look-alike it holds until it is first handed a frame.
Frame restingFrame(const QString &display);

// A picture display that shows one face cue. Until it is first handed a store
// frame it holds a look-alike copy of its resting frame, which is no frame.
class FrameView : public QLabel {
    Q_OBJECT
public:
    explicit FrameView(QWidget *parent = nullptr);

    void showFrame(Frame frame, const FrameStore &store);
    Frame shown() const { return shown_; }

private:
    Frame shown_ = Frame::LookAlike;
    bool started_ = false;
};
