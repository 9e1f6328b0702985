#include "app/command_line.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kLicence = u"Copyright 2026 The Nanairobako developers.\n"
                         u"Released under the MIT licence, the pictures included.\n"_s;

QString usage()
{
    return u"Usage: nanairobako [FILE.egg]\n"
           u"ナナイロバコ。: raise a little creature by teaching it words.\n"
           u"\n"
           u"  FILE.egg       open this saved game after start-up, as ファイル → 開く does\n"
           u"  --             take what follows as a file, even if it begins with a dash\n"
           u"  -h, --help     print this help and exit\n"
           u"  -v, --version  print the version and the licence, and exit\n"_s;
}

CommandLine answer(CommandLine::Action action, const QString &output)
{
    CommandLine line;
    line.action = action;
    line.output = output;
    return line;
}

bool isHelp(const QString &a) { return a == u"-h" || a == u"--help"; }
bool isVersion(const QString &a) { return a == u"-v" || a == u"--version"; }

} // namespace

namespace {

// The options QGuiApplication and QApplication take out of the arguments;
// those in the first list take the next argument as their value unless it
// is written after "=".
const QStringList kToolkitOptionsWithValue = {
    u"platform"_s,    u"platformpluginpath"_s, u"platformtheme"_s, u"plugin"_s,  u"qwindowgeometry"_s,
    u"qwindowicon"_s, u"qwindowtitle"_s,       u"session"_s,       u"display"_s, u"geometry"_s,
    u"style"_s,       u"stylesheet"_s,         u"name"_s,          u"title"_s,   u"visual"_s,
};
const QStringList kToolkitFlags = {u"reverse"_s, u"widgetcount"_s, u"nograb"_s, u"dograb"_s, u"sync"_s};

QStringList withoutToolkitOptions(const QStringList &arguments)
{
    QStringList left;
    for (qsizetype k = 0; k < arguments.size(); ++k) {
        const QString &a = arguments[k];
        if (a == u"--") {
            left << arguments.mid(k);
            break;
        }
        const QString name = QString(a).remove(QRegularExpression(u"^--?"_s)).section(u'=', 0, 0);
        if (!a.startsWith(u'-') || name.isEmpty())
            left << a;
        else if (kToolkitOptionsWithValue.contains(name))
            k += a.contains(u'=') ? 0 : 1;
        else if (!kToolkitFlags.contains(name) && !name.startsWith(u"qmljsdebugger"))
            left << a;
    }
    return left;
}

} // namespace

CommandLine parseCommandLine(const QStringList &all)
{
    const QStringList arguments = withoutToolkitOptions(all);
    for (const QString &a : arguments) {
        if (a == u"--")
            break;
        if (isHelp(a))
            return answer(CommandLine::Action::Help, usage());
        if (isVersion(a))
            return answer(CommandLine::Action::Version, u"nanairobako " NANAIRO_VERSION "\n"_s + kLicence);
    }
    bool options = true;
    QStringList files;
    for (const QString &a : arguments) {
        if (options && a == u"--")
            options = false;
        else if (options && a.startsWith(u'-') && a.size() > 1)
            return answer(CommandLine::Action::Refuse, u"nanairobako: unknown option "_s + a + u"\n\n"_s + usage());
        else
            files << a;
    }
    if (files.size() > 1)
        return answer(CommandLine::Action::Refuse, u"nanairobako: one saved game at a time\n\n"_s + usage());
    CommandLine line;
    line.file = files.value(0);
    return line;
}
