#include "app/host.h"
#include "app/main_window.h"

#include <QApplication>
#include <QIcon>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

int main(int argc, char *argv[])
{
#ifdef Q_OS_UNIX
    // A save beyond the user's file size limit (ulimit -f) then fails with a
    // message and leaves the game in hand, instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nanairobako"));
    // Every window and the task bar show the character.
    QIcon icon;
    for (const char *size : {"32", "64", "256"})
        icon.addFile(QStringLiteral(":/art/icon%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);

    DesktopHost host;
    auto window = std::make_unique<Form1>(host);
    window->show();
    return app.exec();
}
