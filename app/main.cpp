#include "app/command_line.h"
#include "app/host.h"
#include "app/main_window.h"
#include "persistence/file_window.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace {

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int k = 1; k < argc; ++k)
        arguments << QString::fromLocal8Bit(argv[k]);
    return arguments;
}

// Help and version go to standard output; a refused command line goes to
// standard error and fails.
int finish(const CommandLine &line)
{
    const bool refused = line.action == CommandLine::Action::Refuse;
    std::fputs(line.output.toLocal8Bit().constData(), refused ? stderr : stdout);
    return refused ? 2 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_UNIX
    // A save beyond the user's file size limit (ulimit -f) then fails with a
    // message and leaves the game in hand, instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Before the toolkit looks for a display.
    if (const CommandLine early = earlyCommandLine(argumentsOf(argc, argv));
        early.action != CommandLine::Action::Play)
        return finish(early);

    QApplication app(argc, argv);
    const CommandLine line = parseCommandLine(QApplication::arguments().mid(1));
    if (line.action != CommandLine::Action::Play)
        return finish(line);

    QApplication::setApplicationName(QStringLiteral("nanairobako"));
    QApplication::setApplicationVersion(QStringLiteral(NANAIRO_VERSION));
    // The desktop matches the running window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(NANAIRO_APP_ID));
    // Every window and the task bar show the character.
    QIcon icon;
    for (const char *size : {"16", "32", "48", "64", "128", "256", "256@2x"})
        icon.addFile(QStringLiteral(":/art/icon%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);

    DesktopHost host;
    auto window = std::make_unique<Form1>(host);
    window->show();
    // A saved game handed over by the file manager opens once the stage is
    // up, as if chosen in the file window.
    if (!line.file.isEmpty())
        QTimer::singleShot(0, window.get(), [&window, file = line.file] { openSavedGame(*window, file); });
    return app.exec();
}
