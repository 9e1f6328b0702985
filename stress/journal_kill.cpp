// Kills a game at random moments while it teaches words and saves, over and
// over, and checks that the next start takes back every word whose reply
// had been shown: none lost, none twice, none from another game.
//
// A child process is the game: it starts as the program does (the recovery
// question answered とりもどす, or else its save file opened), tells the
// parent every word it knows, then teaches new words, each through all its
// questions, telling the parent after each reply, and now and then saves
// (上書き保存 or 名前をつけて保存). The parent kills it with SIGKILL after a
// random wait. Beside it another game runs all along in the same journal
// folder, teaching words of its own and never saving: the player's game must
// never be offered them.
//
//   nanairo_journal_stress [kills] [seed]

#include "engine/game.h"
#include "engine/recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A new life every so many kills: the save file stays well below its
// record limit.
constexpr int kKillsALife = 100;

class StressEnvironment final : public Environment {
public:
    explicit StressEnvironment(unsigned seed) : random_(seed) {}
    QDate today() override { return {2026, 12, 6}; }
    void seedRandom() override {}
    double nextRandom() override { return std::uniform_real_distribution<double>(0, 1)(random_); }
    void pause(int milliseconds) override { usleep(useconds_t(milliseconds) * 1000); }

private:
    std::mt19937 random_;
};

void say(int out, const QString &line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    if (write(out, bytes.constData(), std::size_t(bytes.size())) != bytes.size())
        _exit(3);
}

bool isWord(const WordRecord &r) { return !codeIs(r.Kind, 9) && !codeIs(r.Kind, 8) && !codeIs(r.Kind, 7); }

// Every question answered: a general word, a job, liked, good, not vulgar.
void teach(Game &game, const QString &word)
{
    game.typed(word);
    game.confirm();
    for (int answer : {1, 1, 1, 1, 2}) {
        game.pick(answer);
        game.confirm();
    }
}

// The game's life in the child: start, tell what it knows, teach and save.
[[noreturn]] void play(const QString &folder, const QString &file, const QString &prefix, unsigned seed, int out,
                       bool saves)
{
    StressEnvironment environment(seed);
    Game game(environment);
    game.keepJournalIn(folder);
    if (saves) {
        LeftGames left(game);
        bool recovered = false;
        while (const std::optional<LeftGames::Question> question = left.next()) {
            left.answer(recovered ? 2 : 0);
            recovered = true;
        }
        if (!recovered && QFile::exists(file))
            game.open(file);
    }
    if (game.state().step == TeachingStep::Name) {
        game.typed(prefix);
        game.confirm();
    }
    for (int k = 1; k <= game.state().fileCount; ++k) {
        if (isWord(game.state().fileRecords[k]))
            say(out, QStringLiteral("K ") + textOf(game.state().fileRecords[k].Text));
    }
    for (int k = 0; k < game.state().newCount; ++k) {
        if (isWord(game.state().newRecords[k]))
            say(out, QStringLiteral("K ") + textOf(game.state().newRecords[k].Text));
    }
    say(out, QStringLiteral("R"));
    std::mt19937 random(seed);
    for (int n = 0;; ++n) {
        const QString word = QStringLiteral("%1-%2-%3").arg(prefix).arg(seed).arg(n);
        teach(game, word);
        if (game.screen().sentence != u"なんだ、つまらんな。")
            break; // memory full: nothing more to teach
        say(out, QStringLiteral("S ") + word);
        if (saves && random() % 4 == 0) {
            say(out, QStringLiteral("V"));
            if (game.currentFile().isEmpty() || random() % 5 == 0)
                game.saveAs(file);
            else
                game.overwriteSave(game.currentFile());
            say(out, QStringLiteral("v"));
        }
    }
    pause();
    _exit(0);
}

struct Child {
    pid_t pid;
    int in;
};

Child start(const QString &folder, const QString &file, const QString &prefix, unsigned seed, bool saves)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        std::exit(2);
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        play(folder, file, prefix, seed, pipeEnds[1], saves);
    }
    close(pipeEnds[1]);
    return {pid, pipeEnds[0]};
}

// Reads the child's lines up to "R" (it is ready), or all of them once it
// is dead.
QStringList readLines(int in, bool untilReady)
{
    QStringList lines;
    QByteArray pending;
    char buffer[4096];
    while (true) {
        const ssize_t n = read(in, buffer, sizeof buffer);
        if (n <= 0)
            break;
        pending.append(buffer, n);
        while (pending.contains('\n')) {
            const qsizetype end = pending.indexOf('\n');
            lines << QString::fromUtf8(pending.left(end));
            pending.remove(0, end + 1);
            if (untilReady && lines.last() == u"R")
                return lines;
        }
    }
    return lines;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int kills = argc > 1 ? std::atoi(argv[1]) : 1000;
    const unsigned seed = argc > 2 ? unsigned(std::atoi(argv[2])) : 1;
    std::mt19937 random(seed);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("state"));
    const QString file = dir.filePath(QStringLiteral("game.egg"));
    const Child other = start(folder, dir.filePath(QStringLiteral("other.egg")), QStringLiteral("other"), seed, false);

    std::set<QString> shown;
    int checked = 0, duringSave = 0, lost = 0, twice = 0, foreign = 0, unreported = 0;
    for (int round = 0; round <= kills; ++round) {
        if (round % kKillsALife == 0) {
            QFile::remove(file);
            for (LeftJournal &left : leftJournals(folder))
                discardJournal(left);
            shown.clear();
        }
        const Child game = start(folder, file, QStringLiteral("w"), seed * 100000 + unsigned(round), true);
        // What this start knows: every word shown before, once each.
        std::map<QString, int> known;
        for (const QString &line : readLines(game.in, true)) {
            if (line.startsWith(u"K "))
                ++known[line.mid(2)];
        }
        for (const QString &word : shown) {
            if (!known.contains(word)) {
                std::fprintf(stderr, "round %d: %s was shown and is gone\n", round, qPrintable(word));
                ++lost;
            }
        }
        for (const auto &[word, count] : known) {
            twice += count > 1;
            foreign += !word.startsWith(u"w-");
            // Journaled before its reply, which the kill then stopped.
            unreported += word.startsWith(u"w-") && !shown.contains(word);
            if (count > 1 || !word.startsWith(u"w-"))
                std::fprintf(stderr, "round %d: %s came back %d times\n", round, qPrintable(word), count);
        }
        checked += int(shown.size());
        for (const auto &[word, count] : known)
            shown.insert(word);
        if (round == kills) {
            kill(game.pid, SIGKILL);
            waitpid(game.pid, nullptr, 0);
            close(game.in);
            break;
        }
        usleep(std::uniform_int_distribution<useconds_t>(0, 40000)(random));
        kill(game.pid, SIGKILL);
        waitpid(game.pid, nullptr, 0);
        const QStringList lines = readLines(game.in, false);
        for (const QString &line : lines) {
            if (line.startsWith(u"S "))
                shown.insert(line.mid(2));
        }
        duringSave += !lines.isEmpty() && lines.last() == u"V";
        close(game.in);
        if (lost + twice + foreign > 0)
            break;
    }
    kill(other.pid, SIGKILL);
    waitpid(other.pid, nullptr, 0);
    std::printf("seed %u: %d kills of a game teaching and saving (%d during a save); %d words checked at the "
                "next starts; %d words journaled but killed before their reply; %d lost, %d twice, %d from "
                "another game\n",
                seed, kills, duringSave, checked, unreported, lost, twice, foreign);
    return lost + twice + foreign == 0 ? 0 : 1;
}
