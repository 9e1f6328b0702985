// What the journal costs a player: the step that stores a taught word, with
// its write and fdatasync, against the same step without a journal. The
// worst case counts as much as the median: a reply that comes late now and
// then is what a player would feel. The journal lives beside this program,
// on the disk the build is on, not in a memory-backed /tmp.
//
//   nanairo_journal_bench [words]

#include "engine/game.h"
#include "fake_environment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The microseconds each word's last confirmation took, the one that stores it.
std::vector<double> storeWords(const QString &journalFolder, int words)
{
    FakeEnvironment environment;
    std::vector<double> took;
    for (int done = 0; done < words;) {
        // A run holds 101 records at most; a new game makes room again.
        Game game(environment);
        if (!journalFolder.isEmpty())
            game.keepJournalIn(journalFolder);
        game.typed(QStringLiteral("太郎"));
        game.confirm();
        for (int n = 0; n < 90 && done < words; ++n, ++done) {
            game.typed(QStringLiteral("ことば%1").arg(done));
            game.confirm();
            for (int answer : {1, 1, 1, 1}) {
                game.pick(answer);
                game.confirm();
            }
            game.pick(2);
            QElapsedTimer timer;
            timer.start();
            game.confirm();
            took.push_back(double(timer.nsecsElapsed()) / 1000.0);
        }
        game.leave();
    }
    return took;
}

void report(const char *what, std::vector<double> took)
{
    std::sort(took.begin(), took.end());
    const auto at = [&](double share) { return took[std::size_t(share * double(took.size() - 1))]; };
    std::printf("%-28s %6zu words: median %8.1f us, 99th %8.1f us, worst %8.1f us\n", what, took.size(), at(0.5),
                at(0.99), took.back());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int words = argc > 1 ? std::atoi(argv[1]) : 1000;
    QTemporaryDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/journal-bench-XXXXXX"));
    report("without a journal", storeWords(QString(), words));
    const std::vector<double> journaled = storeWords(dir.filePath(QStringLiteral("state")), words);
    report("journaled (write+fdatasync)", journaled);
    // The reply must never feel late.
    return *std::max_element(journaled.begin(), journaled.end()) <= 20000 ? 0 : 1;
}
