#include "app/program.h"

#include "app/command_line.h"
#include "app/display.h"
#include "engine/environment.h"
#include "engine/game.h"
#include "windows/file_controller.h"
#include "windows/host.h"
#include "windows/main_window.h"
#include "windows/recovery_questions.h"
#include "windows/remembered.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>

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

int finish(const CommandLine &line)
{
    const bool refused = line.action == CommandLine::Action::Refuse;
    std::fputs(line.output.toLocal8Bit().constData(), refused ? stderr : stdout);
    std::fflush(refused ? stderr : stdout);
    return refused ? 2 : 0;
}

} // namespace

int runProgram(int argc, char *argv[], const Launch &launch)
{
#ifdef Q_OS_UNIX
    // A save beyond the user's file size limit (ulimit -f) then fails with a
    // message and leaves the game in hand, instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Before the toolkit looks for a display.
    const QStringList arguments = argumentsOf(argc, argv);
    const CommandLine line = parseCommandLine(arguments);
    if (line.action != CommandLine::Action::Play)
        return finish(line);
    std::optional<QApplication> app;
    if (!qApp) {
        if (const QString missing = missingDisplay(arguments); !missing.isEmpty()) {
            std::fputs(missing.toLocal8Bit().constData(), stderr);
            return 1;
        }
        app.emplace(argc, argv);
    }

    QApplication::setApplicationName(QStringLiteral("nanairobako"));
    QApplication::setApplicationVersion(QStringLiteral(NANAIRO_VERSION));
    // The desktop matches the running window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(NANAIRO_APP_ID));
    // Every window and the task bar show the character.
    QIcon icon;
    for (const char *size : {"16", "32", "48", "64", "128", "256", "256@2x"})
        icon.addFile(QStringLiteral(":/art/icon%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);

    SystemEnvironment systemEnvironment;
    DesktopHost desktopHost;
    Game game(launch.environment ? *launch.environment : systemEnvironment);
    game.keepJournalIn(launch.journalFolder.isEmpty() ? defaultJournalFolder() : launch.journalFolder);
    Host &host = launch.host ? *launch.host : desktopHost;
    StageWindow window(host, game);
    remembered::restoreStagePlace(&window);
    window.show();
    // Once the stage is up: first the words a crash left behind, then a
    // saved game handed over by the file manager, as if chosen in the file
    // window.
    QTimer::singleShot(0, &window, [&host, &window, &game, file = line.file] {
        askAboutLeftGames(host, &window, game);
        if (!file.isEmpty() && window.files().askAndOpen(file))
            remembered::useFolder(QFileInfo(file).absolutePath());
    });
    int status = 0;
    if (launch.started) {
        QCoreApplication::processEvents();
        launch.started(window);
    } else {
        status = QApplication::exec();
    }
    remembered::keepStagePlace(&window);
    return status;
}
