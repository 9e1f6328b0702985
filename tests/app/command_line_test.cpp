#include "app/command_line.h"
#include "form_fixture.h"
#include "persistence/file_window.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, OptionsAndTheSavedGame)
{
    const struct {
        QStringList arguments;
        Action action;
        QString file;
    } cases[] = {
        {{}, Action::Play, {}},
        {{"game.egg"}, Action::Play, "game.egg"},
        {{"--", "-odd.egg"}, Action::Play, "-odd.egg"},
        {{"game.egg", "--version"}, Action::Version, {}},
        {{"-v"}, Action::Version, {}},
        {{"--help", "--version"}, Action::Help, {}},
        {{"-h"}, Action::Help, {}},
        {{"--", "--help"}, Action::Play, "--help"},
        {{"--fullscreen"}, Action::Refuse, {}},
        {{"a.egg", "b.egg"}, Action::Refuse, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(qPrintable(c.arguments.join(u' ')));
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.output.isEmpty(), c.action == Action::Play);
    }
    EXPECT_EQ(parseCommandLine({"--version"}).output, u"nanairobako 1.0\n");
    EXPECT_EQ(parseCommandLine({"-h"}).output,
              u"Usage: nanairobako [FILE.egg]\n"
              u"ナナイロバコ。: raise a little creature by teaching it words.\n\n"
              u"  FILE.egg       open this saved game after start-up, as ファイル → 開く does\n"
              u"  -h, --help     print this help and exit\n"
              u"  -v, --version  print the version and exit\n");
    EXPECT_EQ(earlyCommandLine({"-platform", "offscreen"}).action, Action::Play)
        << "the toolkit's own options are left to it";
}

class OpenFromCommandLineTest : public StageTest {
protected:
    QTemporaryDir dir;
    QString path(const char *name) const { return QDir::toNativeSeparators(dir.filePath(QLatin1String(name))); }
};

TEST_F(OpenFromCommandLineTest, OpensAsTheFileWindowWould)
{
    QFile plain(path("plain.egg"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("\"2026/11/01\",\"8\",,,,\r\n\"2026/12/31\",\"7\",,,,\r\n\"Ann\",\"9\",,,,\r\n");
    plain.close();
    ASSERT_TRUE(openSavedGame(*form, path("plain.egg")));
    EXPECT_EQ(form->lblMessage->text(), u"なにかことばおしえろ。") << "no greeting in the file";
    form->SavedNewRecords = 3;
    ASSERT_TRUE(openSavedGame(*form, path("plain.egg")));
    EXPECT_EQ(form->SavedNewRecords, 0) << "opened again, nothing of this run is in the file";
    host.messages.clear();

    QFile file(path("game.egg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"2026/11/01\",\"8\",,,,\r\n\"2026/12/06\",\"7\",,,,\r\n\"Ann\",\"9\",,,,\r\n"
               "\"hi\",\"3\",\"\",\"1\",\"1\",\"2\"\r\n");
    file.close();

    ASSERT_TRUE(openSavedGame(*form, path("game.egg")));
    EXPECT_EQ(form->FileName, path("game.egg"));
    EXPECT_EQ(form->lblMessage->text(), u"Ann、hi　あいさつもいいもんだな。") << "its last greeting";
    EXPECT_EQ(host.messages, QStringList{u"ファイルを開きました。"_qs});
    EXPECT_TRUE(form->endingWindow) << "the period check follows: today is its end date";
}

TEST_F(OpenFromCommandLineTest, ARefusedFileGetsTheFileWindowsMessage)
{
    form->opnmenuClick();
    form->fileWindow->changeFolder(dir.path());
    form->fileWindow->txtFileName->setText(QStringLiteral("missing.egg"));
    form->fileWindow->cmdOpen->click();
    form->fileWindow->close();
    ASSERT_EQ(host.messages.size(), 1);

    EXPECT_FALSE(openSavedGame(*form, path("missing.egg")));
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[1], host.messages[0]);
    EXPECT_TRUE(form->FileName.isEmpty()) << "the current file stays as it was";
}

} // namespace
