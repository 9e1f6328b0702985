#include "app/display.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// An X server listens on a socket in /tmp/.X11-unix, on Linux also under the
// same name in the abstract namespace, which a sandbox may leave alone.
bool answersAt(const QByteArray &path, bool abstract)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (path.size() + offset >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path + offset, path.constData(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
    const bool answered = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), length) == 0;
    ::close(fd);
    return answered;
}
#endif

bool x11Answers()
{
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        return false;
    const QRegularExpressionMatch local = QRegularExpression(QStringLiteral("^(?:unix)?:(\\d+)")).match(display);
    if (!local.hasMatch())
        return true; // a display on another host: only the toolkit can tell
#ifdef Q_OS_UNIX
    const QByteArray socket = "/tmp/.X11-unix/X" + local.captured(1).toLatin1();
    return answersAt(socket, false) || answersAt(socket, true);
#else
    return true;
#endif
}

bool waylandAnswers()
{
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    const QString socket =
        QDir::isAbsolutePath(name) ? name : qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + name;
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    return QFileInfo(socket).exists() && !platforms.entryList({QStringLiteral("*qwayland*")}).isEmpty();
}

} // namespace

QString missingDisplay(const QStringList &arguments)
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || arguments.contains(QStringLiteral("-platform"))
        || arguments.contains(QStringLiteral("--platform")))
        return {};
    if (x11Answers() || waylandAnswers())
        return {};
    return QStringLiteral("nanairobako: no graphical desktop answers (no X11 display, no Wayland compositor); "
                          "it needs one, or a virtual one: xvfb-run -a nanairobako\n");
}
