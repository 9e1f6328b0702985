// The questions before a save or before the game is left, and the dates the
// status window shows.

#include "fake_environment.h"
#include "fake_host.h"
#include "test_files.h"
#include "windows/file_controller.h"
#include "windows/file_window.h"
#include "windows/main_window.h"
#include "windows/status_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

struct FileQuestionsTest : ::testing::Test {
    QTemporaryDir dir;
    FakeEnvironment environment;
    Game game{environment};
    FakeHost host;
    StageWindow form{host, game};
    QString at(const char *name) { return dir.filePath(QLatin1String(name)); }
};

// 保存 answered before 終了, 新規 or 開く, and that save fails, to the current
// file or through the file window: the game in hand stays, unsaved.
TEST_F(FileQuestionsTest, AFailedSaveKeepsTheGameInHand)
{
    put(at("other.egg"), "\"Ann\",\"9\",,,,\r\n");
    game.typed(s("Taro"));
    game.confirm();
    const std::function<void()> leaves[] = {[&] { form.quitButton->click(); }, [&] { form.newAction->trigger(); },
                                            [&] { form.files().askAndOpen(at("other.egg")); }};
    for (const auto &leave : leaves) {
        for (const bool throughWindow : {false, true}) {
            SCOPED_TRACE(testing::Message() << "leave " << &leave - leaves << (throughWindow ? " via the window" : ""));
            game.chooseFile(throughWindow ? QString() : at("gone/mine.egg"));
            host.answers = {0};
            const auto before = std::tuple(host.exits, environment.seeds, host.messages.size() + 1);
            leave();
            if (throughWindow) {
                form.fileWindow()->nameEntry->setText(at("gone/new.egg"));
                form.fileWindow()->saveButton->click();
            }
            EXPECT_EQ(std::tuple(host.exits, environment.seeds, host.messages.size()), before);
            EXPECT_TRUE(game.hasUnsavedRecords() && host.messages.last().contains(u"保存できませんでした。"));
        }
    }
}

// 学習開始日 and 学習終了予定日 of a new game, of a saved game opened in its
// period and of one opened after it, which begins a new period today.
TEST_F(FileQuestionsTest, TheStatusWindowShowsTheStartAndTheEndOfThePeriod)
{
    put(at("saved.egg"), "\"Taro\",\"9\",,,,\r\n\"2026/12/01\",\"8\",,,,\r\n\"2026/12/15\",\"7\",,,,\r\n");
    put(at("over.egg"), "\"Taro\",\"9\",,,,\r\n\"2026/11/01\",\"8\",,,,\r\n\"2026/11/15\",\"7\",,,,\r\n");
    const std::tuple<const char *, const char *, const char *> cases[] = {{nullptr, "2026/12/06", "2026/12/20"},
                                                                          {"saved.egg", "2026/12/01", "2026/12/15"},
                                                                          {"over.egg", "2026/12/06", "2026/12/20"}};
    for (const auto &[file, start, end] : cases) {
        ASSERT_TRUE(!file || game.open(at(file)));
        const StatusWindow status(game, &form);
        EXPECT_EQ(std::pair(status.startDateBox->text(), status.endDateBox->text()), std::pair(s(start), s(end)));
    }
}

} // namespace
