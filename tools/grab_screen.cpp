// Saves a rectangle of the screen (device pixels) as a PNG; the screenshot
// script uses it on a virtual display, where no desktop tool is at hand.
//
//   grab_screen <out.png> <x> <y> <width> <height>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: grab_screen <out.png> <x> <y> <width> <height>\n");
        return 2;
    }
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, args[2].toInt(), args[3].toInt(),
                                                                      args[4].toInt(), args[5].toInt());
    return shot.save(args[1], "PNG") ? 0 : 1;
}
