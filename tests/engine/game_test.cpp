// Rules of the engine that no transcript shows: asking for a file and
// waiting for one, when a timer's countdown starts afresh, chance.

#include "engine/game.h"
#include "fake_environment.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/file.h>

#include <gtest/gtest.h>

namespace {

// Where the current file goes and when a save asks first the transcripts
// show (current-file.game, keyboard.stage, another-game.stage); here what
// they cannot: a new game seeds chance afresh, an overwrite save to any file
// makes it current, and a file another program holds is waited for by each
// save, with the program alive, then given up.
TEST(GameTest, AFileIsWaitedFor)
{
    QTemporaryDir dir;
    FakeEnvironment environment;
    Game game(environment);
    game.newGame();
    EXPECT_EQ(environment.seeds, 2);
    ASSERT_TRUE(game.saveAs(dir.filePath(QStringLiteral("a.egg"))));
    ASSERT_TRUE(game.overwriteSave(dir.filePath(QStringLiteral("b.egg"))));
    EXPECT_EQ(game.currentFile(), dir.filePath(QStringLiteral("b.egg"))) << "the file an overwrite save went to";
    QFile holder(game.currentFile());
    ASSERT_TRUE(holder.open(QIODevice::ReadOnly) && flock(holder.handle(), LOCK_EX) == 0);
    std::vector<bool> saving; // while it waits, the stage may not close
    environment.duringPause = [&] { saving.push_back(game.saving()); };
    EXPECT_FALSE(game.overwriteSave(game.currentFile()));
    EXPECT_FALSE(game.saveAs(game.currentFile())) << "a save as waits for it too";
    EXPECT_EQ(environment.pauses, std::vector<int>(2 * (kEggLockTries - 1), kEggLockPauseMs));
    EXPECT_EQ(saving, std::vector<bool>(2 * (kEggLockTries - 1), true));
    EXPECT_FALSE(game.saving());
}

// Switching a running timer on leaves its countdown alone; off and on again,
// or a new interval, starts a fresh one: the windows restart their timers by it.
TEST(GameTest, TimersRestartOnlyWhereACountdownStartsAfresh)
{
    Timer timer(100, false);
    // Each step (switched on, off, or a new interval), then whether the timer
    // runs and how many countdowns it has started.
    for (const QString &step : QString::fromLatin1("on 1 1, on 1 1, 100 1 1, 500 1 2, off 0 2, 0 0 2, on 0 3, 500 1 4")
                                   .split(QStringLiteral(", "))) {
        const QStringList w = step.split(u' ');
        w[0] == u"on" ? timer.enable() : w[0] == u"off" ? timer.disable() : timer.setInterval(w[0].toInt());
        EXPECT_EQ(std::pair(timer.running(), timer.starts()), std::pair(w[1] == u"1", w[2].toInt()))
            << step.toStdString();
    }
}

// The desktop's chance stays below 1 whatever it is seeded with.
TEST(GameTest, TheSystemsDrawsLieInTheUnitInterval)
{
    SystemEnvironment system;
    system.seedRandom();
    double highest = 0;
    for (int n = 0; n < 1000; ++n) {
        const double r = system.nextRandom();
        ASSERT_TRUE(r >= 0.0 && r < 1.0) << r;
        highest = std::max(highest, r);
    }
    EXPECT_GT(highest, 0.5) << "and reaches the upper half";
}

} // namespace
