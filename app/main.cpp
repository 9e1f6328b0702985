#include "app/host.h"
#include "app/main_window.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nanairobako"));

    DesktopHost host;
    auto window = std::make_unique<Form1>(host);
    window->show();
    return app.exec();
}
