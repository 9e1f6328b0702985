#pragma once
// Checks a window against its layout table: captions with their access keys
// and positions in twips, as the layout is written down, and its timers.

#include "app/stage_widgets.h"
#include "qt_printers.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <initializer_list>

struct DesignedControl {
    const char *name;    // the window's own name stands for the window: its client area
    const char *caption; // nullptr: not a caption the layout fixes
    int left, top, width, height; // twips; left < 0: a window the system places
};

struct DesignedTimer {
    const char *name;
    int interval;
    bool running;
};

// The test keeps its own scale, so a wrong scale in the windows shows.
constexpr int kTestTwipsPerPixel = 15;

inline QString twipText(QRect pixels)
{
    const QRect t(pixels.topLeft() * kTestTwipsPerPixel, pixels.size() * kTestTwipsPerPixel);
    return QStringLiteral("%1, %2, %3 x %4").arg(t.left()).arg(t.top()).arg(t.width()).arg(t.height());
}

// The client area of a window: a main window's central widget, else the window.
inline QWidget *clientOf(QWidget *window)
{
    auto *client = window->findChild<QWidget *>(QStringLiteral("client"), Qt::FindDirectChildrenOnly);
    return client ? client : window;
}

inline void expectControls(QWidget *window, std::initializer_list<DesignedControl> rows)
{
    for (const DesignedControl &row : rows) {
        SCOPED_TRACE(row.name);
        const bool isWindow = window->objectName() == QLatin1String(row.name);
        QWidget *control = isWindow ? window : window->findChild<QWidget *>(QLatin1String(row.name));
        ASSERT_TRUE(control) << "no control named " << row.name;
        if (row.caption) {
            const QString caption = isWindow ? control->windowTitle()
                                  : control->property("text").isValid() ? control->property("text").toString()
                                                                        : control->property("title").toString();
            EXPECT_EQ(caption, QString::fromUtf8(row.caption)) << row.name << " caption";
        }
        QRect actual = isWindow ? QRect(window->pos(), clientOf(window)->size()) : control->geometry();
        QRect designed(row.left / kTestTwipsPerPixel, row.top / kTestTwipsPerPixel,
                       row.width / kTestTwipsPerPixel, row.height / kTestTwipsPerPixel);
        if (row.left < 0) { // only the size is designed
            actual.moveTo(0, 0);
            designed.moveTo(0, 0);
        }
        EXPECT_EQ(twipText(actual), twipText(designed)) << row.name << " geometry in twips";
    }
}

inline void expectTimers(QObject *window, std::initializer_list<DesignedTimer> rows)
{
    for (const DesignedTimer &row : rows) {
        const auto *timer = window->findChild<QTimer *>(QLatin1String(row.name));
        ASSERT_TRUE(timer) << "no timer named " << row.name;
        EXPECT_EQ(timer->interval(), row.interval) << row.name << " interval (ms)";
        EXPECT_EQ(timer->isActive(), row.running) << row.name << (row.running ? " should run" : " should be off");
    }
}

struct StoredPicture {
    const char *name;
    const QPixmap *picture;
};

// The hidden picture store holds every frame under its own name.
inline void expectStoredPictures(QWidget *window, std::initializer_list<StoredPicture> rows)
{
    for (const StoredPicture &row : rows) {
        const auto *holder = window->findChild<QLabel *>(QLatin1String(row.name));
        ASSERT_TRUE(holder) << "no stored picture named " << row.name;
        EXPECT_EQ(holder->pixmap().cacheKey(), row.picture->cacheKey()) << row.name << " holds another frame";
    }
}
