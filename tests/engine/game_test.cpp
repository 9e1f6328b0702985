// Rules of the engine that no transcript shows: which file is the current
// one, and when a timer's countdown starts afresh.

#include "fake_environment.h"
#include "qt_printers.h"
#include "engine/game.h"

#include <QDir>
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
    game.txtNyuryokuChange(QStringLiteral("Ann"));
    game.cmdKakuninClick();

    game.asavemenuClick();
    EXPECT_EQ(fileWindows, 1) << "the overwrite save asks for a name without a current file";
    const struct {
        const char *step;
        std::function<bool()> act;
        bool succeeds;
        QString fileName;
        Int16 saved;
        bool unsaved = false;
    } steps[] = {
        {"save as a name without extension", [&] { return game.NFSave(dir.filePath(QStringLiteral("a"))); }, true,
         dir.filePath(QStringLiteral("a.egg")), 3},
        {"open a missing file", [&] { return game.FLoad(at("missing.egg")); }, false,
         dir.filePath(QStringLiteral("a.egg")), 3},
        {"a file clicked in the list", [&] { game.chooseFile(at("c.egg")); return true; }, true, at("c.egg"), 0, true},
        {"open", [&] { return game.FLoad(at("a.egg")); }, true, at("a.egg"), 0},
        {"overwrite save", [&] { return game.FSave(game.FileName); }, true, at("a.egg"), 0},
        {"a file listed by its upper-case extension", [&] { game.chooseFile(at("m.Egg")); return true; }, true,
         at("m.Egg"), 0},
        {"its overwrite save adds .egg", [&] { return game.FSave(game.FileName); }, true, at("m.Egg.egg"), 0},
        {"an overwrite save to another file", [&] { return game.FSave(at("n.egg")); }, true, at("n.egg"), 0},
        {"a new period", [&] { game.AfterEnd(); return true; }, true, at("n.egg"), 0, true},
        {"a new game", [&] { game.NewGame(); return true; }, true, QString(), 0},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.step);
        EXPECT_EQ(s.act(), s.succeeds);
        EXPECT_EQ(game.FileName, s.fileName);
        EXPECT_EQ(game.SavedNewRecords, s.saved);
        EXPECT_EQ(game.hasUnsavedRecords(), s.unsaved);
    }
    EXPECT_EQ(messages.size(), 7) << "one box for each save and open, and the new period's";
    ASSERT_TRUE(game.FSave(at("z.egg")));
    EXPECT_EQ(loadEggFile(at("z.egg")).content->records.size(), 2u) << "a file not current gets all of this run";
    // Only another game's file is replaced by a save as with a question first.
    EXPECT_TRUE(game.replacesAnotherFile(at("a")));
    ASSERT_TRUE(game.NFSave(at("a")));
    EXPECT_FALSE(game.replacesAnotherFile(at("a")) || game.replacesAnotherFile(at("new")));

    // A file another program holds: the save waits with the program alive,
    // then gives up.
    QFile holder(at("a.egg"));
    ASSERT_TRUE(holder.open(QIODevice::ReadOnly) && flock(holder.handle(), LOCK_EX) == 0);
    EXPECT_FALSE(game.FSave(game.FileName));
    EXPECT_EQ(environment.pauses, std::vector<int>(kEggLockTries - 1, kEggLockPauseMs));
    EXPECT_FALSE(game.saving());
}

// End dates compare as dates, also as other programs wrote them, and the
// period's end never passes the last date the save file's years hold.
TEST(GameTest, DatesCompareAsDatesWithinFourDigitYears)
{
    QTemporaryDir dir;
    FakeEnvironment environment;
    environment.date = {9999, 12, 25};
    Game game(environment);
    EXPECT_EQ(game.EndDate, u"9999/12/31");
    const struct {
        const char *end;
        QDate today;
        int restarts, endings;
    } cases[] = {
        {"10000/01/08", {9999, 12, 20}, 0, 0}, // as texts "9999/..." would be later
        {"2027/1/5", {2027, 1, 5}, 0, 1},      {"2027/1/5", {2027, 1, 10}, 1, 0},
        {"junk", {2026, 1, 1}, 0, 0}, // named no date: compared as text
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.end);
        const QString file = dir.filePath(QStringLiteral("dates.egg"));
        const WordRecord end{QString::fromUtf8(c.end), Code::EndDate, {}, {}, {}, {}};
        ASSERT_EQ(saveEggFileAs(file, {}, std::span(&end, 1)), QString());
        environment.date = c.today;
        Game opened(environment);
        int restarts = 0;
        QObject::connect(&opened, &Game::message, [&](const QString &text) { restarts += text == u"このデータを再利用します。"; });
        ASSERT_TRUE(opened.FLoad(file));
        EXPECT_EQ(restarts, c.restarts);
        EXPECT_EQ(opened.ending.has_value(), c.endings == 1);
    }
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

// A bare GameState (the benchmarks and the tests build one) starts as a new
// game leaves the counters, but for the new game's two date records.
TEST(GameTest, AFreshStateIsANewGamesState)
{
    FakeEnvironment environment;
    const Game game(environment);
    const auto fresh = std::make_unique<GameState>();
    const auto counters = [](const GameState &s, int dates) {
        return std::vector<int>{s.Level - dates, s.ELevel, s.DLevel, s.J,    s.i - dates,
                                s.DataMax,       s.Rand,   s.Choice, s.Step, s.LastRand};
    };
    EXPECT_EQ(counters(*fresh, 0), counters(game, 2));
    EXPECT_EQ(fresh->TalkFrom, game.TalkFrom);
    EXPECT_EQ(environment.seeds, 1) << "a new game seeds chance afresh";
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
