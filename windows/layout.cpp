#include "windows/layout.h"

#include "windows/frames.h"
#include "windows/stage_widgets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

QWidget *create(const Place &p, QWidget *parent)
{
    const QString caption = p.caption ? QString::fromUtf16(p.caption) : QString();
    switch (p.kind) {
    case Place::Label: {
        auto *label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case Place::Speech: {
        auto *label = new SpeechLabel(caption, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case Place::Choice: {
        auto *label = new ChoiceLabel(parent);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case Place::Edit:
        return new QLineEdit(parent);
    case Place::Button: {
        // Enter in a text box presses nothing unless a window makes one
        // button its default on purpose.
        auto *button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        return button;
    }
    case Place::Balloon:
        return new Balloon(parent);
    case Place::Picture:
        return new FrameView(parent);
    case Place::Body: {
        // The eye and mouth displays lie 39, 29 and 50, 59 pixels into the
        // body's picture, inside its 2-pixel sunken border.
        auto *view = new FrameView(parent);
        view->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        view->setLineWidth(2);
        return view;
    }
    case Place::Drives:
        return new QComboBox(parent);
    case Place::List:
        return new QListWidget(parent);
    case Place::Files:
        return new FileList(parent);
    case Place::Line:
        return new EtchedLine(parent);
    case Place::Page: {
        auto *page = new QTextBrowser(parent);
        page->setOpenExternalLinks(true);
        return page;
    }
    case Place::Window:
        break;
    }
    return nullptr;
}

} // namespace

namespace {

// The frame the window manager puts around a window (title bar and
// borders); nothing until the window exists, and under X11 until the
// window manager has framed it, some time after it is shown.
QMargins frameOf(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    return handle && handle->handle() ? handle->frameMargins() : QMargins();
}

// Fits the window again once its frame is known: when it is shown, and when
// the window manager has framed it, which moves it or exposes it. Then it
// lets the player put the window wherever they like; so it does a moment
// after the window is shown where no frame ever comes (a window manager
// that draws none), rather than pull back every window dragged to an edge.
class FrameWatch : public QObject {
public:
    static inline const QString kName = QStringLiteral("frameWatch");
    static void watch(QWidget *window)
    {
        if (!window->findChild<QObject *>(kName, Qt::FindDirectChildrenOnly))
            new FrameWatch(window);
    }

    explicit FrameWatch(QWidget *window) : QObject(window), window_(window)
    {
        setObjectName(kName);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::Show && watched == window_) {
            if (QWindow *handle = window_->windowHandle(); handle && !watching_) {
                handle->installEventFilter(this);
                watching_ = true;
                QTimer::singleShot(kFramingMs, this, &FrameWatch::stop);
            }
        }
        if ((type == QEvent::Show || type == QEvent::Move || type == QEvent::Expose) && window_->isVisible()) {
            const bool framed = !frameOf(window_).isNull();
            keepOnScreen(window_);
            if (framed)
                stop();
        }
        return false;
    }

private:
    // Time enough for a window manager to frame a window it is mapping.
    static constexpr int kFramingMs = 1000;

    void stop()
    {
        window_->removeEventFilter(this);
        if (QWindow *handle = window_->windowHandle())
            handle->removeEventFilter(this);
        deleteLater();
    }

    QWidget *window_;
    bool watching_ = false;
};

} // namespace

void keepOnScreen(QWidget *window)
{
    // Not yet shown nor moved, the system places it; a move now would stop that.
    const bool placed = window->isVisible() || window->testAttribute(Qt::WA_Moved);
    if (!placed) {
        FrameWatch::watch(window);
        return;
    }
    const QRect area = window->screen()->availableGeometry();
    // pos() is where the frame begins, whether or not the frame is known yet.
    const QRect frame(window->pos(), window->size().grownBy(frameOf(window)));
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    if (QPoint(x, y) != frame.topLeft())
        window->move(x, y);
    if (frameOf(window).isNull())
        FrameWatch::watch(window);
}

void buildLayout(QWidget *window, QWidget *client, std::initializer_list<Place> table)
{
    for (const Place &p : table) {
        if (p.kind == Place::Window) {
            window->setObjectName(QLatin1String(p.name));
            window->setWindowTitle(QString::fromUtf16(p.caption));
            client->setFixedSize(px(p.width), px(p.height));
            // Where the system places it, it may still overrun the screen
            // by its frame. A window around a client of its own (the stage,
            // with its menu bar) knows its size, and does this, only later.
            if (p.left >= 0)
                window->move(px(p.left), px(p.top));
            if (window == client)
                keepOnScreen(window);
            continue;
        }
        QWidget *control = create(p, client);
        control->setObjectName(QLatin1String(p.name));
        control->setGeometry(twips(p.left, p.top, p.width, p.height));
        // Captions never change; a desktop font larger than the boxes were
        // made for steps down to fit them.
        if (p.kind == Place::Label || p.kind == Place::Button)
            fitCaption(control);
    }
}
