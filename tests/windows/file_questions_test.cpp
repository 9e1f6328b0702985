// The questions before a save or before the game is left.

#include "fake_environment.h"
#include "fake_host.h"
#include "persistence/egg_test_files.h"
#include "windows/file_controller.h"
#include "windows/file_window.h"
#include "windows/main_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

// FakeHost, and each question's default button: the one Enter presses.
struct DefaultsHost final : Host {
    FakeHost fake;
    QList<int> defaults;
    void showMessage(QWidget *w, const QString &text) override { fake.showMessage(w, text); }
    int ask(QWidget *w, const QString &text, const QStringList &buttons, int byDefault) override
    {
        defaults << byDefault;
        return fake.ask(w, text, buttons, byDefault);
    }
    void exitProgram() override { fake.exitProgram(); }
    SystemTools &systemTools() override { return fake.systemTools(); }
};

struct FileQuestionsTest : ::testing::Test {
    QTemporaryDir dir;
    FakeEnvironment environment;
    Game game{environment};
    DefaultsHost host;
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
            host.fake.answers = {0};
            const auto before = std::tuple(host.fake.exits, environment.seeds, host.fake.messages.size() + 1);
            leave();
            if (throughWindow) {
                form.fileWindow()->nameEntry->setText(at("gone/new.egg"));
                form.fileWindow()->saveButton->click();
            }
            EXPECT_EQ(std::tuple(host.fake.exits, environment.seeds, host.fake.messages.size()), before);
            EXPECT_TRUE(game.hasUnsavedRecords() && host.fake.messages.last().contains(u"保存できませんでした。"));
        }
    }
}

// Enter never replaces or adds to another game's file; a file only clicked in
// the list is another game's, the one last opened the game's own.
TEST_F(FileQuestionsTest, QuestionsAboutAnotherGamesFileDefaultToCancel)
{
    for (const char *name : {"mine.egg", "other.egg"})
        put(at(name), "\"Ann\",\"9\",,,,\r\n");
    ASSERT_TRUE(game.open(at("mine.egg")));
    game.chooseFile(at("other.egg"));
    form.saveAction->trigger();
    EXPECT_FALSE(form.files().saveAs(at("other.egg")));
    EXPECT_TRUE(form.files().saveAs(at("mine.egg")));
    EXPECT_EQ(host.fake.questions, QStringList({s("「other.egg」は、このゲームで開いたり保存したりしたファイルではありません。"
                                                  "このゲームのことばを書き足しますか？ [書き足す/キャンセル]"),
                                                s("「other.egg」はもうあります。置きかえますか？ [置きかえる/キャンセル]")}));
    EXPECT_EQ(host.defaults, QList<int>({1, 1}));
}

} // namespace
