#pragma once
// Small widgets the windows are built from, and the twip geometry they share.

#include "engine/game.h"

#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QRect>
#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;
class QTimer;

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
    // The picked answer, as assistive technology is told.
    void setChecked(bool checked) { checked_ = checked; }
    bool isChecked() const { return checked_; }

signals:
    void clicked();
    // An arrow key: -1 for the answer before, +1 for the one after.
    void stepped(int direction);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Space picks the answer, as a click does; the arrows step within the
    // group. Everything else goes on to the group (Enter) and the window.
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool checked_ = false;
};

// The four answers as one group, so that a screen reader counts them among
// themselves ("2 of 4"); it draws nothing of its own. Within it the keyboard
// works as in a group of radio buttons: one Tab stop (the picked answer, or
// the first on offer), the arrows step to the next answer on offer and pick
// it, and Enter goes on as 確認 does.
class ChoiceGroup : public QWidget {
    Q_OBJECT
public:
    // Takes the four labels, keeping each where it stands on the window.
    ChoiceGroup(QWidget *parent, const std::array<ChoiceLabel *, 4> &labels);

    // Shows the answers as the game holds them, `picked` (1 ... 4, 0 for
    // none) the one picked.
    void show(const std::array<ChoiceCue, 4> &cues, int picked);
    // The focus goes to the group's Tab stop; false when none is on offer.
    bool focusStop();
    // After answer k (1 ... 4) was picked by key: the focus follows the pick
    // where it was on an answer.
    void followPick();
    // Tells assistive technology which answer is picked now.
    void announce();

signals:
    void picked(int k);
    void confirmed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool offered(int k) const;
    ChoiceLabel *stop() const;
    void step(int from, int direction);

    std::array<ChoiceLabel *, 4> labels_;
    int picked_ = 0;
};

// The character's sentence. Each new sentence is announced to assistive
// technology, which reads it out as a notification although the focus is
// elsewhere: the character speaks without being asked.
class SpeechLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void setText(const QString &text);
};

// An etched line: a mid-grey line over a white one, a separator that reads
// as carved into the window rather than drawn on it.
class EtchedLine : public QWidget {
    Q_OBJECT
public:
    explicit EtchedLine(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

QTimer *makeTimer(QObject *parent, const char *name, int interval);

// The file list as the keyboard uses it: moving to a file names it, as a
// click does, and Enter goes on with the window's button.
class FileList final : public QListView {
    Q_OBJECT
public:
    // Its own list of names; every row the same height, so that a folder of
    // many thousand files lays out without measuring each.
    explicit FileList(QWidget *parent);
    void setNames(const QStringList &names);
    QStringList names() const;

signals:
    void movedTo(const QModelIndex &index);
    void entered(const QModelIndex &index);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

// The boxes are measured for a narrow system font of 9 points. Where the
// desktop's font is wider or larger, a caption that would be cut off gets the
// font stepped down, never below three fifths; longer texts keep the font.
void fitCaption(QWidget *control);
// The same for a one-line box and the text it holds now, across and down.
void fitField(QLineEdit *box);
