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

// already-saved.txt: a file's records (each a word), how many it held when
// the journal of c and d began, and after "=>", worked out afresh, how many
// of the journal's records it already holds.
TEST(RecoveryTest, RecordsTheFileAlreadyHoldsComeBackOnce)
{
    const QString path = QStringLiteral(NANAIRO_TEST_DATA "/already-saved.txt");
    QStringList lines = QString::fromUtf8(bytesOf(path)).split(u'\n');
    for (QString &line : lines) {
        const QStringList w = line.section(QStringLiteral(" =>"), 0, 0).split(u' ');
        if (w[0] != u"file")
            continue;
        std::vector<WordRecord> file;
        for (const QString &text : w.mid(1, w.size() - 3))
            file.push_back(word(text));
        const std::size_t saved = alreadySaved(file, w.last().toLongLong(), std::vector{word("c"), word("d")});
        line = w.join(u' ') + QStringLiteral(" => ") + QString::number(saved);
    }
    expectGoldenText(path, lines.join(u'\n'));
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
