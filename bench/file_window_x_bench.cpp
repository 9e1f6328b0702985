// One open of the file window as a player meets it: the stage up on a real
// display, 開く, and the time until the window has painted and the program
// has nothing left to do. Prints the milliseconds. The window opens in the
// folder the program was started from, so the caller starts it in the
// folder to measure (tools/file-window-bench.sh does, under a virtual X
// server, with and without the accessibility bridge).

#include "engine/environment.h"
#include "engine/game.h"
#include "windows/file_window.h"
#include "windows/host.h"
#include "windows/main_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>

namespace {

// Counts every event the program handles, and notes when the file window
// last painted.
class Watcher : public QObject {
public:
    QElapsedTimer clock;
    qint64 lastEvent = 0;
    bool painted = false;
    quint64 events = 0;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        ++events;
        lastEvent = clock.nsecsElapsed();
        if (event->type() == QEvent::Paint) {
            auto *widget = qobject_cast<QWidget *>(watched);
            painted |= widget && qobject_cast<FileWindow *>(widget->window());
        }
        return false;
    }
};

// Events until none come for a while: the window has settled.
void settle(Watcher &watcher, bool needPaint)
{
    for (int quiet = 0; quiet < 20;) {
        const quint64 before = watcher.events;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        const bool idle = watcher.events == before && (!needPaint || watcher.painted);
        quiet = idle ? quiet + 1 : 0;
        if (idle)
            QTest::qSleep(1);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    SystemEnvironment environment;
    DesktopHost host;
    Game game(environment);
    StageWindow stage(host, game);
    stage.show();
    if (!QTest::qWaitForWindowExposed(&stage))
        return 2;
    Watcher watcher;
    app.installEventFilter(&watcher);
    watcher.clock.start();
    settle(watcher, false);

    watcher.painted = false;
    watcher.clock.restart();
    stage.openAction->trigger();
    settle(watcher, true);
    if (!stage.fileWindow() || !stage.fileWindow()->isVisible())
        return 2;
    std::printf("%.1f\n", double(watcher.lastEvent) / 1e6);
    return 0;
}
