#pragma once
// The character's pictures, and the displays that show a face cue.

#include "engine/face.h"

#include <QLabel>
#include <QPixmap>

#include <array>
#include <initializer_list>

struct FrameStore {
    // The pictures for the application's screens: 2x ones where any screen
    // has twice the pixel density (or more), 1x ones otherwise.
    FrameStore();
    // 1 or 2.
    explicit FrameStore(int scale);

    // The picture of a store frame; null for Frame::Design, which is no
    // frame of the store.
    const QPixmap &picture(Frame frame) const;

    QPixmap img01, img02, img03;                 // eyes: open, half closed, closed
    QPixmap img04, img05, img06;                 // mouth: closed, open, bared teeth
    QPixmap img000;                              // the still body
    std::array<QPixmap, kActionFrames> imgAct;   // action 1: imgAct101 ... imgAct111

private:
    QPixmap none_;
};

class QGroupBox;

// A hidden store frame: a captioned group box holding the pictures under
// their names. Windows place it below their client area, where it is never
// seen.
void fillStoreFrame(QGroupBox *frame, const FrameStore &store, std::initializer_list<Frame> frames);

// A picture display that shows one face cue. Until it is first handed a store
// frame it holds a look-alike copy (its design picture), which is no frame.
class FrameView : public QLabel {
    Q_OBJECT
public:
    explicit FrameView(QWidget *parent = nullptr);

    void showFrame(Frame frame, const FrameStore &store);
    Frame shown() const { return shown_; }

private:
    Frame shown_ = Frame::Design;
    bool started_ = false;
};
