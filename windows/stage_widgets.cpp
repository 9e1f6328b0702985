#include "windows/stage_widgets.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStringListModel>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QTimer>

#include <algorithm>
#include <functional>

Balloon::Balloon(QWidget *parent) : QWidget(parent) {}

void Balloon::paintEvent(QPaintEvent *)
{
    constexpr qreal kCornerRadius = 14;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
}

ChoiceLabel::ChoiceLabel(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
    setPalette(pal);
}

void ChoiceLabel::setOpaque(bool opaque)
{
    // Lit, the caption takes the highlighted-text colour, as a selection does.
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, pal.color(opaque ? QPalette::HighlightedText : QPalette::Text));
    setPalette(pal);
    setAutoFillBackground(opaque);
}

void ChoiceLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        emit clicked();
        return;
    case Qt::Key_Up:
    case Qt::Key_Left:
        emit stepped(-1);
        return;
    case Qt::Key_Down:
    case Qt::Key_Right:
        emit stepped(+1);
        return;
    default:
        event->ignore();
    }
}

void ChoiceLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(autoFillBackground() ? QPalette::Window : QPalette::Base);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void ChoiceLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

ChoiceGroup::ChoiceGroup(QWidget *parent, const std::array<ChoiceLabel *, 4> &labels) : QWidget(parent), labels_(labels)
{
    QRect area;
    for (ChoiceLabel *label : labels_)
        area |= label->geometry();
    setGeometry(area);
    for (int k = 0; k < 4; ++k) {
        ChoiceLabel *label = labels_[k];
        const QRect place = label->geometry().translated(-area.topLeft());
        label->setParent(this);
        label->setGeometry(place);
        connect(label, &ChoiceLabel::clicked, this, [this, k] { emit picked(k + 1); });
        connect(label, &ChoiceLabel::stepped, this, [this, k](int direction) { step(k, direction); });
    }
}

void ChoiceGroup::show(const std::array<ChoiceCue, 4> &cues, int picked)
{
    picked_ = picked;
    for (int k = 0; k < 4; ++k) {
        const ChoiceCue &cue = cues[k];
        ChoiceLabel *label = labels_[k];
        label->setText(cue.caption);
        label->setEnabled(cue.enabled);
        label->setOpaque(cue.lit);
        label->setChecked(picked == k + 1);
        if (cue.visible != !label->isHidden())
            label->setVisible(cue.visible);
    }
    // One stop for the whole group: the picked answer, or the first that can be.
    ChoiceLabel *tabStop = stop();
    for (ChoiceLabel *label : labels_)
        label->setFocusPolicy(label == tabStop ? Qt::StrongFocus : label->isEnabled() ? Qt::ClickFocus : Qt::NoFocus);
}

bool ChoiceGroup::offered(int k) const { return labels_[k]->isEnabled() && !labels_[k]->isHidden(); }

ChoiceLabel *ChoiceGroup::stop() const
{
    if (picked_ >= 1 && picked_ <= 4 && offered(picked_ - 1))
        return labels_[picked_ - 1];
    for (int k = 0; k < 4; ++k) {
        if (offered(k))
            return labels_[k];
    }
    return nullptr;
}

bool ChoiceGroup::focusStop()
{
    ChoiceLabel *tabStop = stop();
    if (tabStop)
        tabStop->setFocus(Qt::OtherFocusReason);
    return tabStop;
}

void ChoiceGroup::followPick()
{
    if (std::find(labels_.begin(), labels_.end(), window()->focusWidget()) != labels_.end())
        focusStop();
}

void ChoiceGroup::step(int from, int direction)
{
    for (int k = (from + direction + 4) % 4; k != from; k = (k + direction + 4) % 4) {
        if (offered(k)) {
            emit picked(k + 1);
            labels_[k]->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void ChoiceGroup::announce()
{
    QAccessible::State checked;
    checked.checked = true;
    for (ChoiceLabel *label : labels_) {
        QAccessibleStateChangeEvent event(label, checked);
        QAccessible::updateAccessibility(&event);
    }
}

void ChoiceGroup::keyPressEvent(QKeyEvent *event)
{
    // Enter on an answer goes on, as 確認 does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit confirmed();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SpeechLabel::setText(const QString &text)
{
    QLabel::setText(text);
    // Screen readers pass over a changed name away from the focus, but they
    // read a notification that shows itself.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

EtchedLine::EtchedLine(QWidget *parent) : QWidget(parent) {}

void EtchedLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), 1), QColor(128, 128, 128));
    painter.fillRect(QRect(1, 1, width() - 1, 2), Qt::white);
}

QTimer *makeTimer(QObject *parent, const char *name, int interval)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    return timer;
}

namespace {

// Steps the widget's font down from its own size until `fits` says the text
// fits, never below three fifths (a 12-point desktop font in a box made for
// 9 points); what never fits keeps the font.
void stepFontDown(QWidget *widget, const std::function<bool(const QFontMetrics &)> &fits)
{
    constexpr double kSmallestScale = 0.6;
    constexpr qreal kStep = 0.5;
    QFont font = widget->font();
    const qreal base = font.pointSizeF();
    for (qreal size = base; size >= base * kSmallestScale; size -= kStep) {
        font.setPointSizeF(size);
        if (fits(QFontMetrics(font))) {
            widget->setFont(font);
            return;
        }
    }
}

} // namespace

void fitCaption(QWidget *control)
{
    const QString text = control->property("text").toString().remove(u'&');
    // A button's caption keeps clear of its bevel.
    const QRect room = qobject_cast<QPushButton *>(control) ? control->rect().adjusted(3, 2, -3, -2)
                                                            : control->contentsRect();
    stepFontDown(control, [&](const QFontMetrics &metrics) {
        return metrics.horizontalAdvance(text) <= room.width()
               && metrics.tightBoundingRect(text).height() <= room.height();
    });
}

void fitField(QLineEdit *box)
{
    // Where QLineEdit draws: inside its frame, 2 pixels in from either side,
    // the line centred on its full height, with a pixel more for the cursor.
    constexpr int kSideMargin = 2;
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QRect inside =
        box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).marginsRemoved(box->textMargins());
    const QString text = box->text();
    stepFontDown(box, [&](const QFontMetrics &metrics) {
        const int lineHeight = std::max(metrics.boundingRect(text).height(), metrics.height());
        const int baseline = inside.top() + (inside.height() - lineHeight + 1) / 2 + metrics.ascent();
        const QRect ink = metrics.tightBoundingRect(text).translated(0, baseline);
        return metrics.horizontalAdvance(text) + 1 + 1 <= inside.width() - 2 * kSideMargin
               && (text.isEmpty() || (ink.top() >= inside.top() && ink.bottom() <= inside.bottom()));
    });
}

// Tabbing in puts the cursor on the first file, which is a move too.
FileList::FileList(QWidget *parent) : QListView(parent)
{
    setModel(new QStringListModel(this));
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void FileList::setNames(const QStringList &names) { static_cast<QStringListModel *>(model())->setStringList(names); }

QStringList FileList::names() const { return static_cast<QStringListModel *>(model())->stringList(); }

void FileList::focusInEvent(QFocusEvent *event)
{
    const QModelIndex item = currentIndex();
    QListView::focusInEvent(event);
    if (currentIndex().isValid() && currentIndex() != item)
        emit movedTo(currentIndex());
}

// A double click stays what it was, since the mouse has the button.
void FileList::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex item = currentIndex();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && item.isValid()) {
        emit entered(item);
        return;
    }
    QListView::keyPressEvent(event);
    if (currentIndex().isValid() && currentIndex() != item)
        emit movedTo(currentIndex());
}
