// An overwrite save to the game's own file after that file changed on disk.

#include "engine/game.h"
#include "fake_environment.h"
#include "test_files.h"

#include <QTemporaryDir>

namespace {

// The file deleted, emptied or swapped for another game's of the same size
// since the open: the save is refused and said to be, each time it is tried,
// the file stays as it now is, and a save as still writes everything the
// player had.
TEST(OverwriteTest, AFileChangedSinceTheOpenIsLeftAloneAndNothingIsLost)
{
    const QByteArray mine = "\"Taro\",\"9\",,,,\r\n\"2026/12/15\",\"7\",,,,\r\n";
    const QByteArray other = "\"Hana\",\"9\",,,,\r\n\"2026/12/16\",\"7\",,,,\r\n";
    const QByteArray gone = "<unreadable>"; // what bytesOf reads of no file
    for (const QByteArray &after : {gone, QByteArray(), other}) {
        SCOPED_TRACE(after.toStdString());
        QTemporaryDir dir;
        const QString file = dir.filePath(s("mine.egg")), again = dir.filePath(s("again.egg"));
        put(file, mine);
        FakeEnvironment environment;
        Game game(environment);
        QStringList messages;
        QObject::connect(&game, &Game::message, [&](const QString &text) { messages << text; });
        ASSERT_TRUE(game.open(file));
        game.typed(s("ねこ"));
        for (game.confirm(); game.state().step != TeachingStep::Word; game.confirm())
            game.pick(1);
        after == gone ? void(QFile::remove(file)) : put(file, after);

        for (const char *attempt : {"first", "again"}) {
            EXPECT_FALSE(game.overwriteSave(file)) << attempt;
            EXPECT_TRUE(messages.last().startsWith(s("上書き保存できませんでした。"))
                        && messages.last().contains(s("名前をつけて保存")))
                << messages.last().toStdString();
            EXPECT_EQ(bytesOf(file), after) << attempt;
        }
        EXPECT_TRUE(game.hasUnsavedRecords());
        ASSERT_TRUE(game.saveAs(again));
        EXPECT_TRUE(bytesOf(again).startsWith(mine) && loadEggFile(again).content->records.size() == 3);
    }
}

// The game's own file reached by another path (a folder link, as the file
// window may name it) is still its own: an overwrite save adds only what it
// does not hold yet, never this run's saved words a second time.
TEST(OverwriteTest, TheOwnFileByAnotherPathGetsOnlyTheNewWords)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath(s("link"))));
    FakeEnvironment environment;
    Game game(environment);
    game.typed(s("Taro"));
    game.confirm();
    ASSERT_TRUE(game.saveAs(dir.filePath(s("mine.egg"))));
    game.chooseFile(dir.filePath(s("link/mine.egg")));
    EXPECT_FALSE(game.hasUnsavedRecords());
    ASSERT_TRUE(game.overwriteSave(game.currentFile()));
    EXPECT_EQ(loadEggFile(dir.filePath(s("mine.egg"))).content->records.size(), 3u);
}

} // namespace
