#pragma once
// What the side windows have in common.

#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QTimer>

// Fixed-size windows with a title bar and a close button only. Each is a
// child of the stage with the Window flag, so it goes when the stage goes.
inline constexpr Qt::WindowFlags kSideWindowFlags =
    Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
    | Qt::MSWindowsFixedSizeDialogHint;

inline QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    return label;
}

inline QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption,
                               QRect geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

inline QTimer *makeTimer(QObject *parent, const char *name, int interval)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    return timer;
}
