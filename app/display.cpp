#include "app/display.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
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
#ifdef Q_OS_UNIX
    return answersAt(QFile::encodeName(socket), false);
#else
    return QFileInfo::exists(socket);
#endif
}

// Every folder the toolkit looks in for its platform plugins.
QStringList pluginFolders(const QStringList &arguments)
{
    QStringList folders;
    const qsizetype given = arguments.indexOf(QStringLiteral("-platformpluginpath"));
    if (given >= 0 && given + 1 < arguments.size())
        folders << arguments[given + 1];
    folders << qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString &path : qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts))
        folders << path + QStringLiteral("/platforms");
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    return folders;
}

// The names the installed platform plugins answer to, as each plugin's
// metadata gives them; read without loading any.
QStringList installedPlatforms(const QStringList &arguments)
{
    QStringList names;
    for (const QString &folder : pluginFolders(arguments)) {
        const QDir dir(folder);
        for (const QString &file : dir.entryList(QDir::Files)) {
            const QJsonObject meta =
                QPluginLoader(dir.filePath(file)).metaData().value(QStringLiteral("MetaData")).toObject();
            for (const QJsonValue key : meta.value(QStringLiteral("Keys")).toArray())
                names << key.toString().toLower();
        }
    }
    names.removeDuplicates();
    names.sort();
    return names;
}

// The platforms asked for by -platform or QT_QPA_PLATFORM: a list separated
// by ';', tried in turn, each name perhaps followed by ':' and its options.
QStringList chosenPlatforms(const QStringList &arguments)
{
    QString list = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (const QString &option : {QStringLiteral("-platform"), QStringLiteral("--platform")}) {
        if (const qsizetype at = arguments.indexOf(option); at >= 0 && at + 1 < arguments.size())
            list = arguments[at + 1];
    }
    QStringList names;
    for (const QString &entry : list.split(u';', Qt::SkipEmptyParts))
        names << entry.section(u':', 0, 0).trimmed().toLower();
    return names;
}

const QString kWaylandPackage = QStringLiteral("qt6-wayland");

} // namespace

QString missingDisplay(const QStringList &arguments)
{
    const QString noDesktop = QStringLiteral(
        "nanairobako: no graphical desktop answers (no X11 display, no Wayland compositor); "
        "it needs one, or a virtual one: xvfb-run -a nanairobako\n");
    if (const QStringList chosen = chosenPlatforms(arguments); !chosen.isEmpty()) {
        // The toolkit tries each in turn and aborts when none starts.
        const QStringList installed = installedPlatforms(arguments);
        bool any = false;
        for (const QString &name : chosen) {
            if (!installed.contains(name))
                continue;
            any = true;
            if (name == u"xcb" ? x11Answers() : name.startsWith(u"wayland") ? waylandAnswers() : true)
                return {};
        }
        if (any)
            return noDesktop;
        const QString wayland = chosen.filter(QStringLiteral("wayland")).isEmpty()
                                    ? QString()
                                    : QStringLiteral("; Qt's Wayland plugin comes with the package ") + kWaylandPackage;
        return QStringLiteral("nanairobako: Qt's platform plugin %1, asked for by QT_QPA_PLATFORM or -platform, "
                              "is not installed (installed: %2)%3\n")
            .arg(chosen.join(QStringLiteral(" or ")), installed.join(QStringLiteral(", ")), wayland);
    }
    if (x11Answers())
        return {};
    if (waylandAnswers()) {
        if (installedPlatforms(arguments).contains(QStringLiteral("wayland")))
            return {};
        return QStringLiteral("nanairobako: a Wayland desktop answers, but Qt's Wayland plugin is not installed; "
                              "install the package %1 (sudo apt-get install %1)\n")
            .arg(kWaylandPackage);
    }
    return noDesktop;
}
