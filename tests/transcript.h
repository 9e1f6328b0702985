#pragma once
// Golden transcripts: whole games as readable text in tests/data/*.game,
// which the engine alone and the windows both replay, and *.stage, what only
// the windows do, which they alone replay, showing every question they ask,
// the windows open and the focus.
//
// A transcript is a script of what the user and the clock did ("> " lines,
// comments "#" and blank lines) with, after each step, what changed on
// screen: the sentence, the choices, the entry, the face, the timers the step
// started ("+name 200ms") or stopped ("-name"), the message boxes in the order
// they came up. A replay keeps the script lines, regenerates everything else
// and compares the whole text; run with NANAIRO_UPDATE_GOLDEN=1 to write the
// regenerated text back.
//
// The steps are listed once, in steps(); a player (the engine alone, or the
// windows) supplies only how it does each of the user's and the clock's.

#include "engine/game.h"
#include "engine/title.h"
#include "fake_environment.h"
#include "persistence/egg_codec.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace transcript {

// What is on screen, aspect by aspect, in a fixed order: (name, rendering).
using Snapshot = std::vector<std::pair<QString, QString>>;

inline QString dataPath(const QString &name) { return QStringLiteral(NANAIRO_TEST_DATA "/") + name; }

// The transcripts: "*.game" both players replay, "*.stage" only the windows.
inline QStringList transcripts(const QString &pattern)
{
    return QDir(QStringLiteral(NANAIRO_TEST_DATA)).entryList({pattern});
}
// A transcript's test name: its file name without the extension, dashes as underscores.
inline std::string testName(const ::testing::TestParamInfo<QString> &info)
{
    return info.param.section(u'.', 0, 0).replace(u'-', u'_').toStdString();
}

class Player {
public:
    virtual ~Player() = default;
    // The user's and the clock's steps, each the way this player reaches the game.
    virtual void type(const QString &text) = 0;
    virtual void confirm() = 0;
    virtual void back() = 0;
    virtual void choose(int k) = 0; // a click on answer k
    virtual void key(int k) = 0;    // the digit key k
    // A tick of a running timer: "blinkTimer", or "farewell.blinkTimer" for the scene's.
    virtual void tick(const QString &timer) = 0;
    virtual void next() = 0;
    virtual void newGame() = 0;
    // Files by their names in the scratch folder.
    virtual void open(const QString &name) = 0;
    virtual void saveAs(const QString &name) = 0;
    // A click on the file in the file window's list: where 上書き保存 goes next.
    virtual void pick(const QString &name) = 0;
    virtual void save() = 0;
    virtual void quit() = 0;
    // The program dies at once (no question, no save, nothing cleaned up),
    // starts again and asks about what was left behind.
    virtual void crashAndStart() = 0;
    virtual Snapshot snapshot() = 0;
    virtual const Game &game() = 0;
    // What only the windows have: a menu item by its name, closing a window
    // ("stage", or one by its name), keys to the control that has the focus.
    virtual void menu(const QString &) { printed << QStringLiteral("! no windows"); }
    virtual void close(const QString &) { printed << QStringLiteral("! no windows"); }
    virtual void press(const QString &) { printed << QStringLiteral("! no windows"); }
    // The file window's folder, by its name in the scratch folder.
    virtual void folder(const QString &) { printed << QStringLiteral("! no windows"); }

    // Message boxes a step brought up, each with the screen as it stood then.
    struct Box {
        Snapshot screen;
        QString text;
    };
    std::vector<Box> boxes;
    // Lines a step prints of its own (a file's content, the status window).
    QStringList printed;
    FakeEnvironment environment;
    QTemporaryDir dir;
    // The buttons the player presses in the questions to come, by caption.
    std::deque<QString> answers;

    // Where every game keeps its journal.
    QString journalFolder() const { return dir.filePath(QStringLiteral("state")); }
    QString file(const QString &name) const { return dir.filePath(name); }
    // A question, answered with the next of `answers`, and shown as a box
    // with its default button marked "*".
    int ask(const QString &text, QStringList buttons, int defaultButton)
    {
        QString answer = buttons.value(defaultButton);
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        const auto chosen = int(buttons.indexOf(answer));
        buttons[defaultButton].prepend(u'*');
        box(text + QStringLiteral(" [") + buttons.join(u'/') + QStringLiteral("] ") + answer);
        return chosen;
    }
    void box(const QString &text)
    {
        // The scratch folder differs from run to run; the transcript names it <dir>.
        boxes.push_back({snapshot(), QString(text).replace(dir.path(), QStringLiteral("<dir>"))});
    }

    QStringList journalNames() const
    {
        return QDir(journalFolder()).entryList({QStringLiteral("*.journal")}, QDir::Files, QDir::Name);
    }
    // A file's lines; a journal's name tells the time it began, which differs from run to run.
    void show(const QString &name)
    {
        QStringDecoder decode(kEggEncoding);
        QStringList lines = QString(decode(bytesOf(file(name))))
                                .replace(dir.path(), QStringLiteral("<dir>"))
                                .split(QStringLiteral("\r\n"));
        const QString last = lines.takeLast();
        for (const QString &line : lines)
            printed << QStringLiteral("| ") + line;
        if (!last.isEmpty())
            printed << QStringLiteral("| ") + last + QStringLiteral(" (no line end)");
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
        put(file(name), encodeEgg(records).bytes);
    }
};

// A timer as a snapshot holds it: "name=interval" running, "name" not.
inline QString timer(const char *name, bool running, int interval)
{
    return QLatin1String(name) + (running ? u'=' + QString::number(interval) : QString());
}
// What a step did to the timers: "+name 200ms" started or re-timed, "-name" stopped.
inline QString timerChanges(const QString &before, const QString &after)
{
    const QStringList was = before.split(u' ', Qt::SkipEmptyParts), now = after.split(u' ');
    QStringList changes;
    for (qsizetype i = 0; i < now.size(); ++i) {
        const QString name = now[i].section(u'=', 0, 0), interval = now[i].section(u'=', 1);
        if (now[i] != was.value(i, name))
            changes << (interval.isEmpty() ? u'-' + name : u'+' + name + u' ' + interval + QStringLiteral("ms"));
    }
    return changes.join(u' ');
}

struct Choice {
    QString caption;
    bool visible, enabled, lit;
};
struct Ending {
    QString say, face, timers;
};

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

inline QString valueOf(const Snapshot &snapshot, const QString &name)
{
    const auto found = std::find_if(snapshot.begin(), snapshot.end(), [&](const auto &p) { return p.first == name; });
    return found == snapshot.end() ? QString() : found->second;
}

inline void printChanges(QStringList &out, const Snapshot &before, const Snapshot &after)
{
    for (const auto &[name, value] : after) {
        const QString old = valueOf(before, name);
        const QString shown = name.endsWith(u"timers") ? timerChanges(old, value) : value;
        if (old != value && !(shown.isEmpty() && name.endsWith(u"timers")))
            out << name + u' ' + shown;
    }
}

// Every step a transcript takes, by its verb.
using Step = void (*)(Player &, const QString &argument);
inline const std::map<QString, Step> &steps()
{
    static const std::map<QString, Step> table{
        {"type", [](Player &p, const QString &text) { p.type(text); }},
        {"confirm", [](Player &p, const QString &) { p.confirm(); }},
        {"back", [](Player &p, const QString &) { p.back(); }},
        {"choose", [](Player &p, const QString &k) { p.choose(k.toInt()); }},
        {"key", [](Player &p, const QString &k) { p.key(k.toInt()); }},
        // A timer that is not running cannot tick; the transcript says so.
        {"tick",
         [](Player &p, const QString &timer) {
             const bool farewell = timer.startsWith(u"farewell.");
             const QString running = u' ' + valueOf(p.snapshot(), farewell ? "farewell timers" : "timers");
             if (!running.contains(u' ' + timer.section(u'.', -1) + u'='))
                 return void(p.printed << QStringLiteral("! ") + timer + QStringLiteral(" is not running"));
             p.tick(timer);
         }},
        // "next 31": as many lines of the farewell at once.
        {"next",
         [](Player &p, const QString &count) {
             for (int n = std::max(1, count.toInt()); n > 0; --n)
                 p.next();
         }},
        {"new", [](Player &p, const QString &) { p.newGame(); }},
        {"open", [](Player &p, const QString &name) { p.open(name); }},
        {"save-as", [](Player &p, const QString &name) { p.saveAs(name); }},
        {"pick", [](Player &p, const QString &name) { p.pick(name); }},
        {"menu", [](Player &p, const QString &item) { p.menu(item); }},
        {"close", [](Player &p, const QString &window) { p.close(window); }},
        {"press", [](Player &p, const QString &keys) { p.press(keys); }},
        {"folder", [](Player &p, const QString &name) { p.folder(name); }},
        // "answer 保存 キャンセル": the buttons pressed in the questions the next step asks.
        {"answer",
         [](Player &p, const QString &pressed) {
             const QStringList buttons = pressed.split(u' ', Qt::SkipEmptyParts);
             p.answers.assign(buttons.begin(), buttons.end());
         }},
        {"save", [](Player &p, const QString &) { p.save(); }},
        {"quit", [](Player &p, const QString &) { p.quit(); }},
        // "teach 先生 1 1 3 1 2": the word, then each answer picked and confirmed.
        {"teach",
         [](Player &p, const QString &words) {
             const QStringList parts = words.split(u' ', Qt::SkipEmptyParts);
             p.type(parts.value(0));
             p.confirm();
             for (const QString &k : parts.mid(1)) {
                 p.choose(k.toInt());
                 p.confirm();
             }
         }},
        // "crash とりもどす あとで": the answers at the next start.
        {"crash",
         [](Player &p, const QString &pressed) {
             steps().at("answer")(p, pressed);
             p.crashAndStart();
         }},
        {"status",
         [](Player &p, const QString &) {
             const GameState &s = p.game().state();
             p.printed << (p.game().screen().statusAvailable
                               ? QStringLiteral("status ")
                                     + QStringList{s.playerName, s.characterName, QString::number(s.level),
                                                   statusTitle(s.level, s.vulgarCount, s.uselessCount), s.startDate,
                                                   s.endDate}
                                           .join(QStringLiteral(" | "))
                               : QStringLiteral("status (menu off)"));
         }},
        // The world: the date, the draws ("k/n" lands on k of n), files.
        {"date", [](Player &p, const QString &date) { p.environment.date = QDate::fromString(date, u"yyyy/MM/dd"); }},
        {"draw",
         [](Player &p, const QString &draws) {
             for (const QString &r : draws.split(u' '))
                 p.environment.draws.push_back(r.contains(u'/')
                                                   ? r.section(u'/', 0, 0).toDouble() / r.section(u'/', 1).toDouble()
                                                   : r.toDouble());
         }},
        {"make", [](Player &p, const QString &a) { p.make(a.section(u' ', 0, 0), a.section(u' ', 1).toInt()); }},
        // Another program writes a line over the file (\r\n escaped as in
        // egg-files.txt: more lines).
        {"put", [](Player &p,
                   const QString &a) { put(p.file(a.section(u' ', 0, 0)), unescaped(a.section(u' ', 1)) + "\r\n"); }},
        {"remove", [](Player &p, const QString &name) { QFile::remove(p.file(name)); }},
        {"mkdir", [](Player &p, const QString &name) { QDir().mkpath(p.file(name)); }},
        // "link NAME TARGET": a symbolic link.
        {"link",
         [](Player &p, const QString &a) { QFile::link(p.file(a.section(u' ', 1)), p.file(a.section(u' ', 0, 0))); }},
        // A save stopped halfway: the file loses its last bytes. "cut NAME =N"
        // makes it N bytes long, a larger file growing by zeros.
        {"cut",
         [](Player &p, const QString &a) {
             QFile out(p.file(a.section(u' ', 0, 0)));
             const QString n = a.section(u' ', 1);
             if (out.open(QIODevice::ReadWrite))
                 out.resize(n.startsWith(u'=') ? n.mid(1).toLongLong() : out.size() - n.toInt());
         }},
        {"show", [](Player &p, const QString &name) { p.show(name); }},
        {"journal",
         [](Player &p, const QString &) {
             if (p.journalNames().isEmpty())
                 p.printed << QStringLiteral("| (no journal)");
             for (const QString &name : p.journalNames()) {
                 p.printed << QStringLiteral("| journal:");
                 p.show(QStringLiteral("state/") + name);
             }
         }},
        // A copy of the journal as it stood, put back after a crash: the
        // crash came between a save and the journal's trim.
        {"hold-journal",
         [](Player &p, const QString &) {
             if (!p.journalNames().isEmpty())
                 QFile::copy(p.file(QStringLiteral("state/") + p.journalNames().first()),
                             p.file(QStringLiteral("held.journal")));
         }},
        {"put-back-journal",
         [](Player &p, const QString &) {
             QFile::rename(p.file(QStringLiteral("held.journal")), p.file(QStringLiteral("state/0-held.journal")));
         }},
    };
    return table;
}

inline QString replay(const QString &script, Player &player)
{
    QStringList out;
    Snapshot shown = player.snapshot();
    for (const QString &line : script.split(u'\n')) {
        if (line.startsWith(u"> ")) {
            out << line;
            const QString step = line.mid(2).trimmed();
            const auto found = steps().find(step.section(u' ', 0, 0));
            if (found == steps().end()) {
                out << QStringLiteral("! unknown step");
                continue;
            }
            player.boxes.clear();
            player.printed.clear();
            found->second(player, step.section(u' ', 1));
            if (found->first != u"answer")
                player.answers.clear();
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
    expectGoldenText(dataPath(name), replay(QString::fromUtf8(bytesOf(dataPath(name))), *makePlayer()));
}

} // namespace transcript
