#include "app/command_line.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString usage()
{
    return u"Usage: nanairobako [FILE.egg]\n"
           u"ナナイロバコ。: raise a little creature by teaching it words.\n"
           u"\n"
           u"  FILE.egg       open this saved game after start-up, as ファイル → 開く does\n"
           u"  -h, --help     print this help and exit\n"
           u"  -v, --version  print the version and exit\n"_s;
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

CommandLine earlyCommandLine(const QStringList &arguments)
{
    for (const QString &a : arguments) {
        if (a == u"--")
            break;
        if (isHelp(a))
            return answer(CommandLine::Action::Help, usage());
        if (isVersion(a))
            return answer(CommandLine::Action::Version, u"nanairobako " NANAIRO_VERSION "\n"_s);
    }
    return {};
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line = earlyCommandLine(arguments);
    if (line.action != CommandLine::Action::Play)
        return line;
    bool options = true;
    QStringList files;
    for (const QString &a : arguments) {
        if (options && a == u"--")
            options = false;
        else if (options && a.startsWith(u'-') && a.size() > 1)
            return answer(CommandLine::Action::Refuse,
                          u"nanairobako: unknown option "_s + a + u"\n\n"_s + usage());
        else
            files << a;
    }
    if (files.size() > 1)
        return answer(CommandLine::Action::Refuse, u"nanairobako: one saved game at a time\n\n"_s + usage());
    line.file = files.value(0);
    return line;
}
