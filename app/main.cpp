#include "app/host.h"
#include "app/main_window.h"

#include <QApplication>
#include <QIcon>

#include <memory>

int main(int argc, char *argv[])
{
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
