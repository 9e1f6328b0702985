#pragma once
// Golden transcripts: whole games as readable text in tests/data/*.game.
//
// A transcript is a script of what the user and the clock did ("> " lines,
// comments "#" and blank lines) with, after each step, what changed on
// screen: the sentence, the choices, the entry, the face, the timers that
// run, the message boxes in the order they came up. A replay keeps the script
// lines, regenerates everything else and compares the whole text; run with
// NANAIRO_UPDATE_GOLDEN=1 to write the regenerated text back.

#include "engine/game.h"
#include "engine/title.h"
#include "fake_environment.h"
#include "persistence/egg_codec.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace transcript {

// What is on screen, aspect by aspect, in a fixed order: (name, rendering).
using Snapshot = std::vector<std::pair<QString, QString>>;

inline QString dataPath(const QString &name) { return QStringLiteral(NANAIRO_TEST_DATA "/") + name; }

inline QStringList games() { return QDir(QStringLiteral(NANAIRO_TEST_DATA)).entryList({QStringLiteral("*.game")}); }
// A game's test name: its file name without ".game", dashes as underscores.
inline std::string testName(const ::testing::TestParamInfo<QString> &info)
{
    return QString(info.param).remove(QStringLiteral(".game")).replace(u'-', u'_').toStdString();
}

// Carries out the step of this verb, as a player does it; false when the
// player has no such step.
inline bool playStep(const QString &verb, const std::map<QString, std::function<void()>> &steps)
{
    const auto step = steps.find(verb);
    if (step != steps.end())
        step->second();
    return step != steps.end();
}

// Plays the steps of a script, by whatever way it reaches the game. The steps
// about the world (the date, the draws, files) are the same for every way.
class Player {
public:
    virtual ~Player() = default;
    // Carries out one step; false for a verb it does not know.
    virtual bool play(const QString &verb, const QString &argument) = 0;
    virtual Snapshot snapshot() = 0;
    virtual const Game &game() = 0;
    // The program dies at once (no question, no save, nothing cleaned up),
    // starts again and asks about what was left behind.
    virtual void crashAndStart() = 0;

    // Message boxes a step brought up, each with the screen as it stood then.
    struct Box {
        Snapshot screen;
        QString text;
    };
    std::vector<Box> boxes;
    // Lines a step prints of its own (a file's content, the status window).
    QStringList printed;
    int exits = 0;
    FakeEnvironment environment;
    QTemporaryDir dir;
    // The buttons the player presses in the questions to come, by caption.
    std::deque<QString> answers;

    // Where every game keeps its journal.
    QString journalFolder() const { return dir.filePath(QStringLiteral("state")); }
    // A question, answered with the next of `answers`, and shown as a box.
    int ask(const QString &text, const QStringList &buttons, int defaultButton)
    {
        QString answer = buttons.value(defaultButton);
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        box(text + QStringLiteral(" [") + buttons.join(u'/') + QStringLiteral("] ") + answer);
        return int(buttons.indexOf(answer));
    }

    void box(const QString &text)
    {
        // The scratch folder differs from run to run; the transcript names it <dir>.
        boxes.push_back({snapshot(), QString(text).replace(dir.path(), QStringLiteral("<dir>"))});
    }
    // Games write and read their files in a scratch folder.
    QString file(const QString &name) { return dir.filePath(name); }

    bool run(const QString &verb, const QString &arg)
    {
        if (verb == u"date") {
            environment.date = QDate::fromString(arg, u"yyyy/MM/dd");
        } else if (verb == u"draw") {
            // "k/n" is the draw that lands on k of n.
            for (const QString &r : arg.split(u' ')) {
                const QStringList parts = r.split(u'/');
                environment.draws.push_back(parts.size() == 2 ? parts[0].toDouble() / parts[1].toDouble()
                                                              : r.toDouble());
            }
        } else if (verb == u"make") {
            make(arg.section(u' ', 0, 0), arg.section(u' ', 1).toInt());
        } else if (verb == u"put") {
            // Another program writes a line over the file.
            QFile out(dir.filePath(arg.section(u' ', 0, 0)));
            if (out.open(QIODevice::WriteOnly))
                out.write(arg.section(u' ', 1).toUtf8() + "\r\n");
        } else if (verb == u"cut") {
            // A save stopped halfway: the file loses its last bytes.
            QFile out(dir.filePath(arg.section(u' ', 0, 0)));
            if (out.open(QIODevice::ReadWrite))
                out.resize(out.size() - arg.section(u' ', 1).toInt());
        } else if (verb == u"show") {
            show(arg);
        } else if (verb == u"journal") {
            showJournals();
        } else if (verb == u"crash") {
            // "crash とりもどす あとで": the answers at the next start.
            const QStringList pressed = arg.split(u' ', Qt::SkipEmptyParts);
            answers.assign(pressed.begin(), pressed.end());
            crashAndStart();
            answers.clear();
        } else if (verb == u"hold-journal" || verb == u"put-back-journal") {
            // A copy of the journal as it stood, put back after a crash:
            // the crash came between a save and the journal's trim.
            const QDir folder(journalFolder());
            const QString held = dir.filePath(QStringLiteral("held.journal"));
            const QStringList names = journalNames();
            if (verb == u"hold-journal" && !names.isEmpty())
                QFile::copy(folder.filePath(names.first()), held);
            if (verb == u"put-back-journal")
                QFile::rename(held, folder.filePath(QStringLiteral("0-held.journal")));
        } else if (verb == u"status") {
            const Game &g = game();
            printed << (g.screen().statusAvailable ? QStringLiteral("status ")
                                           + QStringList{g.state().playerName, g.state().characterName, QString::number(g.state().level),
                                                         statusTitle(g.state().level, g.state().vulgarCount, g.state().uselessCount), g.state().startDate,
                                                         g.state().endDate}
                                                 .join(QStringLiteral(" | "))
                                     : QStringLiteral("status (menu off)"));
        } else {
            return play(verb, arg);
        }
        return true;
    }

private:
    QStringList journalNames() const
    {
        return QDir(journalFolder()).entryList({QStringLiteral("*.journal")}, QDir::Files, QDir::Name);
    }
    // Each journal's lines in the order they would be offered; their names
    // tell the time they began, which differs from run to run.
    void showJournals()
    {
        const QStringList names = journalNames();
        if (names.isEmpty())
            printed << QStringLiteral("| (no journal)");
        for (const QString &name : names) {
            printed << QStringLiteral("| journal:");
            show(QStringLiteral("state/") + name);
        }
    }
    // A saved game of n records: the name, the two dates, then words.
    void make(const QString &name, int n)
    {
        std::vector<WordRecord> records{{QStringLiteral("太郎"), Code::Name, {}, {}, {}, {}},
                                        {QStringLiteral("2026/12/01"), Code::StartDate, {}, {}, {}, {}},
                                        {QStringLiteral("2026/12/15"), Code::EndDate, {}, {}, {}, {}}};
        const QString one = QStringLiteral("1");
        while (records.size() < std::size_t(n))
            records.push_back({QStringLiteral("w%1").arg(records.size()), one, one, one, one, QStringLiteral("2")});
        QFile out(dir.filePath(name));
        if (out.open(QIODevice::WriteOnly))
            out.write(encodeEgg(records).bytes);
    }
    void show(const QString &name)
    {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly)) {
            printed << QStringLiteral("| (no file)");
            return;
        }
        QStringDecoder decode(kEggEncoding);
        QStringList lines = QString(decode(f.readAll())).split(QStringLiteral("\r\n"));
        const QString last = lines.takeLast();
        for (QString &line : lines)
            printed << QStringLiteral("| ") + line.replace(dir.path(), QStringLiteral("<dir>"));
        if (!last.isEmpty())
            printed << QStringLiteral("| ") + last + QStringLiteral(" (no line end)");
    }
};

struct Choice {
    QString caption;
    bool visible, enabled, lit;
};
struct Running {
    const char *name;
    int interval;
    bool running;
};
struct Ending {
    QString say, face, timers;
};

inline QString timersText(const std::vector<Running> &timers)
{
    QStringList running;
    for (const Running &t : timers) {
        if (t.running)
            running << QStringLiteral("%1 %2ms").arg(QLatin1String(t.name)).arg(t.interval);
    }
    return running.isEmpty() ? QStringLiteral("none") : running.join(u' ');
}

// What is on screen, in the transcript's words: choices "[caption]" when
// clickable, "(caption)" when not, a leading "*" while lit.
inline Snapshot screen(const QString &say, const std::vector<Choice> &choices, bool entryOpen, const QString &entry,
                       const QString &face, const QString &timers, bool statusAvailable, bool stageHidden,
                       const std::optional<Ending> &ending, int exits)
{
    QStringList shown;
    for (const Choice &c : choices) {
        const QString body = c.enabled ? u'[' + c.caption + u']' : u'(' + c.caption + u')';
        shown << (c.lit ? u'*' + body : body);
    }
    const bool hidden = std::any_of(choices.begin(), choices.end(), [](const Choice &c) { return !c.visible; });
    Snapshot s{
        {QStringLiteral("say"), say},
        {QStringLiteral("choices"), hidden ? QStringLiteral("hidden") : shown.join(u' ')},
        {QStringLiteral("entry"), (entryOpen ? QStringLiteral("open \"") : QStringLiteral("shut \"")) + entry + u'"'},
        {QStringLiteral("face"), face},
        {QStringLiteral("timers"), timers},
        {QStringLiteral("status-menu"), statusAvailable ? QStringLiteral("on") : QStringLiteral("off")},
        {QStringLiteral("stage"), stageHidden ? QStringLiteral("hidden") : QStringLiteral("shown")},
    };
    if (ending) {
        s.push_back({QStringLiteral("farewell say"), ending->say});
        s.push_back({QStringLiteral("farewell face"), ending->face});
        s.push_back({QStringLiteral("farewell timers"), ending->timers});
    }
    if (exits > 0)
        s.push_back({QStringLiteral("exit"), QString::number(exits)});
    return s;
}

inline void printChanges(QStringList &out, const Snapshot &before, const Snapshot &after)
{
    for (const auto &[name, value] : after) {
        const auto old = std::find_if(before.begin(), before.end(), [&](const auto &p) { return p.first == name; });
        if (old == before.end() || old->second != value)
            out << name + u' ' + value;
    }
}

inline QString replay(const QString &script, Player &player)
{
    QStringList out;
    Snapshot shown = player.snapshot();
    for (const QString &line : script.split(u'\n')) {
        if (line.startsWith(u"> ")) {
            out << line;
            const QString step = line.mid(2).trimmed();
            const qsizetype space = step.indexOf(u' ');
            const QString verb = space < 0 ? step : step.left(space);
            const QString argument = space < 0 ? QString() : step.mid(space + 1);
            player.boxes.clear();
            player.printed.clear();
            if (!player.run(verb, argument)) {
                out << QStringLiteral("! unknown step");
                continue;
            }
            for (const Player::Box &box : player.boxes) {
                printChanges(out, shown, box.screen);
                shown = box.screen;
                out << QStringLiteral("box ") + QString(box.text).replace(u'\n', QStringLiteral(" / "));
            }
            const Snapshot now = player.snapshot();
            printChanges(out, shown, now);
            shown = now;
            out << player.printed;
        } else if (line.startsWith(u'#') || line.isEmpty()) {
            out << line;
        }
    }
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out.join(u'\n') + u'\n';
}

// Replays tests/data/<name> and compares it whole.
template <typename MakePlayer>
void expectGolden(const QString &name, MakePlayer makePlayer)
{
    QFile file(dataPath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const QString golden = QString::fromUtf8(file.readAll());
    file.close();
    auto player = makePlayer();
    const QString played = replay(golden, *player);
    if (qEnvironmentVariableIsSet("NANAIRO_UPDATE_GOLDEN") && played != golden) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(played.toUtf8());
        return;
    }
    // gtest shows the two texts' difference line by line.
    EXPECT_EQ(played.toStdString(), golden.toStdString()) << name.toStdString();
}

} // namespace transcript
