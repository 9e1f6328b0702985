// Rules of the engine that no transcript shows: which file is the current
// one, and when a timer's countdown starts afresh.

#include "fake_environment.h"
#include "qt_printers.h"
#include "engine/game.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/file.h>

#include <memory>

#include <gtest/gtest.h>

namespace {

// The current file after each step, and how much of this run it holds.
TEST(GameTest, TheCurrentFileChangesOnlyWhenAnOpenOrSaveSucceeded)
{
    QTemporaryDir dir;
    const auto at = [&](const char *name) { return QDir::toNativeSeparators(dir.filePath(QLatin1String(name))); };
    FakeEnvironment environment;
    Game game(environment);
    QStringList messages;
    int fileWindows = 0;
    QObject::connect(&game, &Game::message, [&](const QString &text) { messages << text; });
    QObject::connect(&game, &Game::fileWindowWanted, [&] { ++fileWindows; });
    game.typed(QStringLiteral("Ann"));
    game.confirm();

    game.save();
    EXPECT_EQ(fileWindows, 1) << "the overwrite save asks for a name without a current file";
    const struct {
        const char *step;
        std::function<bool()> act;
        bool succeeds;
        QString fileName;
        Int16 saved;
        bool unsaved = false;
    } steps[] = {
        {"save as a name without extension", [&] { return game.saveAs(dir.filePath(QStringLiteral("a"))); }, true,
         dir.filePath(QStringLiteral("a.egg")), 3},
        {"open a missing file", [&] { return game.open(at("missing.egg")); }, false,
         dir.filePath(QStringLiteral("a.egg")), 3},
        // What this run saved stays saved in a.egg, and is not added again.
        {"a file clicked in the list", [&] { game.chooseFile(at("c.egg")); return true; }, true, at("c.egg"), 3},
        {"the game's own clicked again and saved",
         [&] {
             game.chooseFile(at("a.egg"));
             return game.overwriteSave(game.currentFile()) && loadEggFile(at("a.egg")).content->records.size() == 3;
         },
         true, at("a.egg"), 3},
        {"open", [&] { return game.open(at("a.egg")); }, true, at("a.egg"), 0},
        {"overwrite save", [&] { return game.overwriteSave(game.currentFile()); }, true, at("a.egg"), 0},
        {"open a file named without .egg",
         [&] { return QFile::copy(at("a.egg"), at("g.txt")) && game.open(at("g.txt")); }, true, at("g.txt"), 0},
        {"its overwrite save goes to it as named", [&] { return game.overwriteSave(game.currentFile()); }, true, at("g.txt"), 0},
        {"an overwrite save to another file", [&] { return game.overwriteSave(at("n.egg")); }, true, at("n.egg"), 0},
        {"a period long over",
         [&] {
             environment.date = environment.date.addDays(20);
             return game.open(at("n.egg"));
         },
         true, at("n.egg"), 0, true},
        {"a new game", [&] { game.newGame(); return true; }, true, QString(), 0},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.step);
        EXPECT_EQ(s.act(), s.succeeds);
        EXPECT_EQ(game.currentFile(), s.fileName);
        EXPECT_EQ(game.savedRecords(), s.saved);
        EXPECT_EQ(game.hasUnsavedRecords(), s.unsaved);
    }
    EXPECT_EQ(messages.size(), 10) << "one box for each save and open, and the new period's";
    EXPECT_FALSE(QFileInfo::exists(at("g.txt.egg")));
    EXPECT_EQ(environment.seeds, 2) << "a new game seeds chance afresh";
    ASSERT_TRUE(game.overwriteSave(at("z.egg")));
    EXPECT_EQ(loadEggFile(at("z.egg")).content->records.size(), 2u) << "a file not current gets all of this run";
    // Only another game's file is replaced by a save as with a question first.
    EXPECT_TRUE(game.replacesAnotherFile(at("a")));
    ASSERT_TRUE(game.saveAs(at("a")));
    EXPECT_FALSE(game.replacesAnotherFile(at("a")) || game.replacesAnotherFile(at("new")));

    // A file another program holds: each save waits with the program alive,
    // then gives up.
    QFile holder(at("a.egg"));
    ASSERT_TRUE(holder.open(QIODevice::ReadOnly) && flock(holder.handle(), LOCK_EX) == 0);
    EXPECT_FALSE(game.overwriteSave(game.currentFile()));
    EXPECT_FALSE(game.saveAs(game.currentFile())) << "a save as waits for it too";
    EXPECT_EQ(environment.pauses, std::vector<int>(2 * (kEggLockTries - 1), kEggLockPauseMs));
    // Only another game's file, made current by a click, is added to with a question first.
    EXPECT_FALSE(game.addsToAnotherFile());
    game.chooseFile(at("z.egg"));
    EXPECT_TRUE(game.addsToAnotherFile());
}

// Switching a running timer on leaves its countdown alone; off and on again,
// or a new interval, starts a fresh one: the windows restart their timers by it.
TEST(GameTest, TimersRestartOnlyWhereACountdownStartsAfresh)
{
    Timer timer(100, false);
    const struct {
        void (*step)(Timer &);
        bool running;
        int starts;
    } steps[] = {
        {[](Timer &t) { t.enable(); }, true, 1},    {[](Timer &t) { t.enable(); }, true, 1},
        {[](Timer &t) { t.setInterval(100); }, true, 1}, {[](Timer &t) { t.setInterval(500); }, true, 2},
        {[](Timer &t) { t.disable(); }, false, 2},  {[](Timer &t) { t.setInterval(0); }, false, 2},
        {[](Timer &t) { t.enable(); }, false, 3},   {[](Timer &t) { t.setInterval(500); }, true, 4},
    };
    for (std::size_t n = 0; n < std::size(steps); ++n) {
        steps[n].step(timer);
        EXPECT_EQ(std::pair(timer.running(), timer.starts()), std::pair(steps[n].running, steps[n].starts))
            << "step " << n;
    }
}

} // namespace

namespace {

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
