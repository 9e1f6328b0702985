#include "windows/layout.h"

#include "windows/frames.h"
#include "windows/stage_widgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>

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
    case Place::Store:
        return new QGroupBox(caption, parent);
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

void keepOnScreen(QWidget *window)
{
    const QRect area = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    window->move(x, y);
}

void buildLayout(QWidget *window, QWidget *client, std::initializer_list<Place> table)
{
    for (const Place &p : table) {
        if (p.kind == Place::Window) {
            window->setObjectName(QLatin1String(p.name));
            window->setWindowTitle(QString::fromUtf16(p.caption));
            client->setFixedSize(px(p.width), px(p.height));
            if (p.left >= 0) {
                window->move(px(p.left), px(p.top));
                keepOnScreen(window);
            }
            continue;
        }
        QWidget *control = create(p, client);
        control->setObjectName(QLatin1String(p.name));
        control->setGeometry(twips(p.left, p.top, p.width, p.height));
    }
}
