// The program's entry as the desktop and the file manager start it.

#include "app/command_line.h"
#include "app/program.h"
#include "fake_environment.h"
#include "fake_host.h"
#include "persistence/journal.h"
#include "test_files.h"
#include "windows/farewell_window.h"
#include "windows/file_window.h"
#include "windows/main_window.h"
#include "windows/stage_widgets.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <csignal>
#include <vector>

#include <gtest/gtest.h>

namespace {

// command-lines.txt: "arguments => action file"; what follows "=>" is
// written afresh from the arguments and the whole file compared.
TEST(CommandLineTest, OptionsAndTheSavedGame)
{
    const QString path = QStringLiteral(NANAIRO_TEST_DATA "/command-lines.txt");
    QStringList lines = QString::fromUtf8(bytesOf(path)).split(u'\n');
    for (QString &line : lines) {
        if (line.startsWith(u'#') || !line.contains(QStringLiteral("=>")))
            continue;
        const QString arguments = line.section(QStringLiteral("=>"), 0, 0).trimmed();
        const CommandLine parsed = parseCommandLine(arguments.split(u' ', Qt::SkipEmptyParts));
        static const char *const kActions[] = {"play", "help", "version", "refuse"};
        const QString result = QString::fromLatin1(kActions[int(parsed.action)]) + u' ' + parsed.file;
        line = (arguments + QStringLiteral(" => ") + result).trimmed();
        EXPECT_EQ(parsed.output.isEmpty(), parsed.action == CommandLine::Action::Play) << line.toStdString();
    }
    expectGoldenText(path, lines.join(u'\n'));
}

// Runs the program's entry with these arguments; its result.
int run(std::vector<const char *> arguments, const Launch &launch = {})
{
    arguments.insert(arguments.begin(), "nanairobako");
    arguments.push_back(nullptr);
    int argc = int(arguments.size()) - 1;
    return runProgram(argc, const_cast<char **>(arguments.data()), launch);
}

// A saved game handed over on the command line opens once the stage is up,
// and the period check follows: opened on its end date, the farewell begins.
// What --help, --version and a refused option print, the desktop tests pin
// on the built program.
TEST(ProgramTest, OpensTheSavedGameItIsGiven)
{
    std::signal(SIGXFSZ, SIG_DFL);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("game.egg"));
    put(path, "\"2026/11/22\",\"8\",,,,\r\n\"2026/12/06\",\"7\",,,,\r\n\"Ann\",\"9\",,,,\r\n"
              "\"hi\",\"3\",\"\",\"1\",\"1\",\"2\"\r\n");
    FakeEnvironment environment;
    FakeHost host;
    Launch launch{&environment,
                  &host,
                  [&](StageWindow &stage) {
                      EXPECT_EQ(stage.game().currentFile(), QDir::toNativeSeparators(path));
                      EXPECT_EQ(stage.speech->text(), u"Ann、hi　あいさつもいいもんだな。");
                      EXPECT_TRUE(stage.farewellWindow && stage.farewellWindow->isVisible());
                      // The desktop knows the running game by these.
                      EXPECT_EQ(QCoreApplication::applicationName(), u"nanairobako");
                      EXPECT_EQ(QCoreApplication::applicationVersion(), QStringLiteral(NANAIRO_VERSION));
                      EXPECT_EQ(QGuiApplication::desktopFileName(), u"io.github.nanairobako.Nanairobako");
                      EXPECT_EQ(QApplication::windowIcon().availableSizes().size(), 7);
                  },
                  {}};
    EXPECT_EQ(run({}, {&environment, &host, [](StageWindow &stage) { EXPECT_TRUE(stage.isVisible()); }, {}}), 0);
    EXPECT_EQ(std::signal(SIGXFSZ, SIG_DFL), SIG_IGN) << "a save past the file size limit must not kill the game";
    const QByteArray name = QFile::encodeName(path);
    EXPECT_EQ(run({name.constData()}, launch), 0);
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("ファイルを開きました。")});
}

// Words a crash left come first: the question about them is answered before
// the saved game handed over opens, and that open asks before it drops them.
TEST(ProgramTest, AsksAboutWordsACrashLeftBeforeItOpensTheGivenFile)
{
    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath(QStringLiteral("game.egg")));
    const QString journals = dir.filePath(QStringLiteral("state"));
    put(path, "\"Ann\",\"9\",,,,\r\n");
    const std::vector<WordRecord> left{{QStringLiteral("hi"), "3", "", "1", "1", "2"}};
    ASSERT_EQ(Journal(journals).begin({path, 1, 0}, left), QString());

    FakeEnvironment environment;
    FakeHost host;
    host.answers = {0, 2}; // とりもどす, then キャンセル before the open drops the word
    const QByteArray other = QFile::encodeName(dir.filePath(QStringLiteral("other.egg")));
    EXPECT_EQ(run({other.constData()}, {&environment, &host,
                                        [&](StageWindow &stage) {
                                            EXPECT_EQ(stage.game().currentFile(), path);
                                            EXPECT_EQ(stage.game().state().newRecords[0], left[0]);
                                        },
                                        journals}),
              0);
    ASSERT_EQ(host.questions.size(), 2);
    EXPECT_TRUE(host.questions[0].startsWith(QStringLiteral("保存していないことばが 1 こ")));
    EXPECT_TRUE(host.questions[1].startsWith(QStringLiteral("教えたことばや名前を、まだ保存していません。")));
    EXPECT_EQ(QDir(journals).entryList({QStringLiteral("*.journal")}).size(), 1) << "the game's own, held no more";
}

// The folder last saved in and the stage's place outlast the run; a place
// off every screen there now, a folder gone since, or a settings file that
// cannot be read or written, leaves the game as on a first start.
TEST(ProgramTest, RemembersTheLastFolderAndWhereTheStageStood)
{
    QTemporaryDir config, saves;
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString ini = config.filePath(QStringLiteral("nanairobako/nanairobako.ini"));
    FakeEnvironment environment;
    FakeHost host;
    // One start: the file window's first folder and the stage's place, then
    // a save through the window into `saves`, typed as a whole path, and a
    // move of the stage to `to`.
    const auto start = [&](QPoint to) {
        QString folder;
        QPoint at;
        run({}, {&environment,
                 &host,
                 [&](StageWindow &stage) {
                     at = stage.pos();
                     stage.saveAsAction->trigger();
                     folder = stage.fileWindow()->folder();
                     stage.fileWindow()->nameEntry->setText(saves.filePath(QStringLiteral("kept.egg")));
                     stage.fileWindow()->saveButton->click();
                     stage.move(to);
                 },
                 {}});
        return std::pair(folder, at);
    };
    const auto [first, home] = start(QPoint(30, 40));
    EXPECT_EQ(first, QDir::currentPath()) << "a first start";
    EXPECT_EQ(start(QPoint(5000, 4000)), std::pair(saves.path(), QPoint(30, 40))) << "a second start";
    EXPECT_EQ(start(QPoint(30, 40)).second, home) << "a place off every screen";
    ASSERT_TRUE(QDir(saves.path()).removeRecursively());
    EXPECT_EQ(start(QPoint(30, 40)).first, QDir::currentPath()) << "a folder gone since";
    ASSERT_TRUE(QFile::remove(ini) && QDir().mkpath(ini));
    EXPECT_EQ(start(QPoint(30, 40)), std::pair(QDir::currentPath(), home)) << "a folder where the file was";
    EXPECT_TRUE(QFileInfo(ini).isDir());
    qputenv("XDG_CONFIG_HOME", before);
}

} // namespace
