// Kills real saves halfway, over and over: a child process saves, the parent
// kills it with SIGKILL after a random wait, then opens the file. Every time,
// the file must open with every record saved before, then with none, some or
// all of the new ones in order (all or none for a save as). A file left with
// an unfinished last record is mended by an empty overwrite save, as the
// game's next save would, and must then open clean.
//
//   nanairo_stress [rounds] [seed]

#include "persistence/egg_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The most records one run of the game can add.
constexpr int kBatch = 100;

std::vector<WordRecord> batch(int round, int count)
{
    std::vector<WordRecord> records;
    for (int k = 0; k < count; ++k)
        records.push_back({QStringLiteral("ことば%1の%2").arg(round).arg(k), QStringLiteral("1"), QStringLiteral("3"),
                           QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2")});
    return records;
}

bool startsWith(const std::vector<WordRecord> &records, const std::vector<WordRecord> &prefix)
{
    return records.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), records.begin());
}

// Whether `got` is the start of `added`. A kill right after the fifth comma
// of a record leaves a last line that the reading rule takes whole, with its
// sixth field unset: the format cannot tell it from a record written so.
bool arrivedInOrder(std::vector<WordRecord> got, const std::vector<WordRecord> &added)
{
    if (got.empty() || got.size() > added.size())
        return got.empty();
    if (!got.back().Vulgar)
        got.back().Vulgar = added[got.size() - 1].Vulgar;
    return startsWith(added, got);
}

// Runs one save in a child, as the game would: open, then save. An overwrite
// save says on `ready` when it is about to write; a save as, at once.
pid_t saveInChild(const QString &file, bool append, const std::vector<WordRecord> &before,
                  const std::vector<WordRecord> &added, int ready)
{
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    const auto say = [ready] {
        if (write(ready, "!", 1) != 1)
            _exit(3);
    };
    EggFileMark mark = loadEggFile(file).mark;
    eggAppendLockedForTest = say;
    if (!append)
        say();
    const QString error = append ? appendEggFile(file, added, &mark) : saveEggFileAs(file, before, added, &mark);
    _exit(error.isEmpty() ? 0 : 1);
}

// Starts a save and returns once it is about to write, or has ended.
pid_t startSave(const QString &file, bool append, const std::vector<WordRecord> &before,
                const std::vector<WordRecord> &added)
{
    int ready[2];
    if (pipe(ready) != 0)
        std::exit(2);
    const pid_t pid = saveInChild(file, append, before, added, ready[1]);
    close(ready[1]);
    char byte = 0;
    if (read(ready[0], &byte, 1) < 0)
        std::exit(2);
    close(ready[0]);
    return pid;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 600;
    std::mt19937 random(argc > 2 ? std::atoi(argv[2]) : 1);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("game.egg"));
    std::vector<WordRecord> saved = batch(-1, 1000);
    if (!saveEggFileAs(file, saved, {}).isEmpty())
        return 2;

    // The kills land anywhere from the moment a save starts writing to a
    // little after it would have ended: a save of each kind timed beforehand
    // sets the range.
    const auto timed = [&](bool append, int count) {
        QElapsedTimer timer;
        const pid_t pid = startSave(file, append, saved, batch(-2, count));
        timer.start();
        waitpid(pid, nullptr, 0);
        return int(timer.nsecsElapsed() / 1000) * 5 / 4;
    };
    const int range[] = {timed(true, kBatch), timed(true, 30 * kBatch), timed(false, kBatch)};
    saved = loadEggFile(file).content->records;

    int finished = 0, untouched = 0, partly = 0, mended = 0, lost = 0;
    for (int round = 0; round < rounds; ++round) {
        // Every third save appends far more than a game can, so that kills
        // land inside one long write and leave records cut short.
        const bool append = round % 3 != 2;
        const std::vector<WordRecord> added = batch(round, round % 3 == 1 ? 30 * kBatch : kBatch);
        const pid_t pid = startSave(file, append, saved, added);
        usleep(std::uniform_int_distribution<int>(0, range[round % 3])(random));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);

        const EggLoad load = loadEggFile(file);
        const std::vector<WordRecord> now = load.content ? load.content->records : std::vector<WordRecord>{};
        const bool kept = load.content && startsWith(now, saved);
        const std::vector<WordRecord> got(now.begin() + (kept ? saved.size() : now.size()), now.end());
        // New records arrive in order; a save as brings all of them or none.
        if (!kept || !arrivedInOrder(got, added) || (!append && !got.empty() && got.size() != added.size())) {
            std::fprintf(stderr, "round %d: %s (%zu records before, %zu now)\n", round,
                         load.content ? "records saved before are missing or out of order" : qPrintable(load.message),
                         saved.size(), now.size());
            ++lost;
            break;
        }
        (got.empty() ? untouched : got == added ? finished : partly) += load.mark.unfinished == 0;
        if (load.mark.unfinished > 0) {
            EggFileMark mark = load.mark;
            const EggLoad again = appendEggFile(file, {}, &mark).isEmpty() ? loadEggFile(file) : EggLoad{};
            if (!again.content || again.mark.unfinished != 0 || again.content->records != now) {
                std::fprintf(stderr, "round %d: the unfinished record was not mended\n", round);
                ++lost;
                break;
            }
            ++mended;
        }
        saved = now;
        if (saved.size() > kMaxEggRecords - 30 * kBatch) { // room for the next batch under the record limit
            saved.resize(1000);
            saveEggFileAs(file, saved, {});
        }
    }
    std::printf("%d kills during saves: %d saves finished, %d left the file untouched, %d kept part of the new "
                "records, %d left an unfinished last record that opened without it and was mended, %d lost "
                "saved records\n",
                rounds, finished, untouched, partly, mended, lost);
    return lost == 0 ? 0 : 1;
}
