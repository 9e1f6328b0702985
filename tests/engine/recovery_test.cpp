// Taking back what a crash left, where no transcript reaches: which records
// count as saved already, more than memory holds, and a journal cut off
// halfway.

#include "engine/game.h"
#include "engine/recovery.h"
#include "fake_environment.h"
#include "persistence/egg_codec.h"
#include "test_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {


// The file's records are a, b (held when the journal began) and what follows.
TEST(RecoveryTest, RecordsTheFileAlreadyHoldsComeBackOnce)
{
    const WordRecord a = word("a"), b = word("b"), c = word("c"), d = word("d"), x = word("x");
    const struct {
        std::vector<WordRecord> file;
        qint64 held;
        std::size_t saved;
    } cases[] = {
        {{a, b}, 2, 0},                       // no save since
        {{a, b, c, d}, 2, 2},                 // saved, the journal not trimmed
        {{a, b, c}, 2, 1},                    // a save cut short after c
        {{a, b, x, c, d}, 2, 2},              // another program added x first
        {{a, b, c, d, x}, 2, 2},              // and after
        {{a, d}, 2, 0},                       // d alone is no saved run of the journal
        {{c, d}, 0, 2},          {{a}, 2, 0}, // the file lost records meanwhile
    };
    const std::vector<WordRecord> journal{c, d};
    for (const auto &k : cases) {
        SCOPED_TRACE(k.file.size());
        EXPECT_EQ(alreadySaved(k.file, k.held, journal), k.saved);
    }
}

class LeftGamesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("state"));
    QString file = QDir::toNativeSeparators(dir.filePath(QStringLiteral("game.egg")));
    FakeEnvironment environment;
    QStringList messages;

    std::unique_ptr<Game> start()
    {
        auto game = std::make_unique<Game>(environment);
        game->keepJournalIn(folder);
        QObject::connect(game.get(), &Game::message, [this](const QString &text) { messages << text; });
        return game;
    }
    QStringList journals() const { return QDir(folder).entryList({QStringLiteral("*.journal")}); }
};

// More than a new game has room for: what fits comes back, and the left
// journal stays for the rest.
TEST_F(LeftGamesTest, WhatMemoryCannotHoldStaysInTheLeftJournal)
{
    std::vector<WordRecord> many;
    for (int n = 0; n < kNewRecordSlots; ++n)
        many.push_back(word(QByteArray::number(n).constData()));
    // A game that ended without being asked, whose file is gone: a new game, dates first.
    ASSERT_EQ(Journal(folder).begin({file, 0, 0}, many), QString());
    auto game = start();
    LeftGames left(*game);
    ASSERT_TRUE(left.next());
    left.answer(0);
    EXPECT_EQ(game->state().newCount, kNewRecordSlots);
    EXPECT_TRUE(messages.last().contains(QStringLiteral("2 こはとりもどせませんでした")));
    EXPECT_EQ(journals().size(), 2) << "the game's own and the left one";
}

// A journal write cut off halfway (a file size limit, as a full disk would)
// is never added to: the next record begins a whole journal afresh. A tick
// begins none, the journal written or not.
TEST_F(LeftGamesTest, AJournalCutOffHalfwayIsBegunAfresh)
{
    auto game = start();
    const auto teach = [&](const char *word) {
        game->typed(QString::fromUtf8(word));
        game->confirm();
        for (int answer : {1, 1, 1, 1, 2}) {
            game->pick(answer);
            game->confirm();
        }
    };
    game->typed(QStringLiteral("Ann"));
    game->confirm();
    teach("a");
    const QStringList written = journals();
    ASSERT_EQ(written.size(), 1);
    game->faceTick(FaceTimer::Blink);
    EXPECT_EQ(journals(), written);
    EXPECT_TRUE(game->journalKept());

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto *handler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{rlim_t(bytesOf(folder + u'/' + written[0]).size() + 10), saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    teach("b");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(game->journalKept());
    game->faceTick(FaceTimer::Blink);
    EXPECT_EQ(journals(), written);
    teach("c");
    ASSERT_EQ(journals().size(), 1);
    EXPECT_NE(journals(), written);
    const EggDecoded decoded = decodeEgg(bytesOf(folder + u'/' + journals()[0]));
    EXPECT_TRUE(decoded.ok() && decoded.unfinishedBytes == 0) << decoded.error.toStdString();
    EXPECT_EQ(decoded.content.records.size(), 7u) << "its first line, the dates, the name and three words";
    EXPECT_EQ(messages.size(), 1);
}

} // namespace
