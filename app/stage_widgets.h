#pragma once
// Small widgets the windows are built from, and the twip geometry they share.

#include <QLabel>
#include <QRect>
#include <QWidget>

// Window layouts are measured in twips; 15 twips are one pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips) { return twips / kTwipsPerPixel; }
constexpr QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// The speech balloon: an opaque rounded rectangle in the window-background
// colour, drawn behind the character's sentence.
class Balloon : public QWidget {
    Q_OBJECT
public:
    explicit Balloon(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// An answer choice: a centred label that can be clicked while enabled and
// whose background is either transparent or opaque in the highlight colour.
class ChoiceLabel : public QLabel {
    Q_OBJECT
public:
    explicit ChoiceLabel(QWidget *parent = nullptr);

    void setOpaque(bool opaque);
    bool isOpaque() const { return autoFillBackground(); }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// An etched line: a mid-grey line over a white one, as separators were drawn
// on the desktop this game comes from.
class EtchedLine : public QWidget {
    Q_OBJECT
public:
    explicit EtchedLine(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
