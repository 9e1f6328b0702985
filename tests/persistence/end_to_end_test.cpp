// Whole games through the real windows, checked to the byte: the saved
// file, the order of sentences and message boxes, the status window.

#include "egg_test_files.h"
#include "form_fixture.h"
#include "persistence/file_window.h"
#include "windows/status_window.h"

#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

class EndToEndTest : public StageTest {
protected:
    QTemporaryDir dir;

    QString path(const QString &name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
    Form3 *window() const { return form->fileWindow.data(); }

    // 開く: the file is picked with a click in the file list.
    void openByList(const QString &name)
    {
        form->opnmenu->trigger();
        ASSERT_TRUE(window());
        window()->changeFolder(dir.path());
        QListWidget *list = window()->File1;
        const QList<QListWidgetItem *> items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << "the file list does not show " << name.toStdString();
        list->doItemsLayout();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
        EXPECT_EQ(window()->txtFileName->text(), name) << "a click in File1 fills the name box";
        click(window()->cmdOpen);
        settle();
    }
    // 名前をつけて保存: the name is typed into the name box.
    void saveAsTyped(const QString &name)
    {
        form->savemenu->trigger();
        ASSERT_TRUE(window());
        window()->changeFolder(dir.path());
        typeInto(window()->txtFileName, name);
        click(window()->cmdSave);
        settle();
    }
    QStringList statusValues()
    {
        form->statusmenu->trigger();
        Form2 *status = form->statusWindow;
        if (!status)
            return {u"no status window"_s};
        const QStringList values{status->txtYourName->text(), status->txtCharaName->text(), status->txtLevel->text(),
                                 status->txtJob->text(),      status->txtStartDate->text(), status->txtEndDate->text()};
        status->close();
        settle();
        return values;
    }
};

// A file of five records; Like of the greetings: the earlier one the
// opposite of the last one, which is the one that counts.
QByteArray gameFile(const char *endDate, const char *lastGreetingLike = "1")
{
    const QByteArray like = lastGreetingLike, other = like == "1" ? "3" : "1";
    return "\"2026/11/22\",\"8\",,,,\r\n\"" + QByteArray(endDate) + "\",\"7\",,,,\r\n"
           "\"Ann\",\"9\",,,,\r\n"
           "\"\x82\xa8\x82\xb7\",\"3\",\"\",\"" + other + "\",\"2\",\"2\"\r\n"   // おす, useless
           "\"\x82\xe2\x82\xa0\",\"3\",\"\",\"" + like + "\",\"2\",\"1\"\r\n"; // やあ, useless and vulgar
}

TEST_F(EndToEndTest, NameWordsAndSaveAsGiveTheExactBytes)
{
    enter(u"Ann"_s);
    teach(u"りんご"_s, {1, 3, 1, 1, 2});
    teach(u"おはよう"_s, {3, 2, 1, 2});
    saveAsTyped(u"memo"_s);
    EXPECT_FALSE(window()) << "保存 (cmdSave) saves and closes the file window";
    EXPECT_EQ(host.messages, QStringList{u"名前を付けて保存しました。"_s});
    EXPECT_EQ(form->FileName, path(u"memo.egg"_s));
    EXPECT_EQ(bytesOf(path(u"memo.egg"_s)),
              QByteArray("\"2026/12/06\",\"8\",,,,\r\n"
                         "\"2026/12/20\",\"7\",,,,\r\n"
                         "\"Ann\",\"9\",,,,\r\n"
                         "\"\x82\xe8\x82\xf1\x82\xb2\",\"1\",\"3\",\"1\",\"1\",\"2\"\r\n"      // りんご
                         "\"\x82\xa8\x82\xcd\x82\xe6\x82\xa4\",\"3\",\"\",\"2\",\"1\",\"2\"\r\n")); // おはよう
}

// After an open: the loaded records first, then this run's (a save that
// swapped them would put the words first).
TEST_F(EndToEndTest, OpenTeachTwoWordsThenSaveAndSaveAs)
{
    const QByteArray file = gameFile("2026/12/20");
    put(path(u"g.egg"_s), file);
    openByList(u"g.egg"_s);
    EXPECT_FALSE(window()) << "開く (cmdOpen) opens and closes the file window";
    EXPECT_EQ(statusValues(), QStringList({"Ann", "ミスター・トルマリン", "5", "ちょっぴり危険で赤ん坊",
                                           "2026/11/22", "2026/12/20"}));

    teach(u"ねこ"_s, {1, 2, 1, 1, 2});
    teach(u"いぬ"_s, {1, 2, 3, 1, 2});
    form->asavemenu->trigger();
    EXPECT_EQ(host.messages.last(), u"上書き保存しました。"_s) << "上書き保存 (asavemenu) saves to the opened file";
    const QByteArray twoLines = "\"\x82\xcb\x82\xb1\",\"1\",\"2\",\"1\",\"1\",\"2\"\r\n"  // ねこ
                                "\"\x82\xa2\x82\xca\",\"1\",\"2\",\"3\",\"1\",\"2\"\r\n"; // いぬ
    EXPECT_EQ(bytesOf(path(u"g.egg"_s)), file + twoLines) << "exactly the two new lines, at the end";

    saveAsTyped(u"copy.egg"_s);
    EXPECT_EQ(bytesOf(path(u"copy.egg"_s)), file + twoLines) << "Data(1 ... DataMax) first, then NewData";
}

// Opened after its end date the period starts again; the overwrite save then
// appends the two date records. Slot 0 was emptied by the open and keeps its
// empty texts; slot 1 is written whole, whatever it held before.
TEST_F(EndToEndTest, RestartAfterTheEndDateSavesTheNewPeriod)
{
    const QByteArray file = gameFile("2026/12/20");
    put(path(u"g.egg"_s), file);
    host.date = QDate(2026, 12, 21);
    form->NewData[1] = {u"w"_s, u"1"_s, u"3"_s, u"1"_s, u"1"_s, u"2"_s}; // as if a word had been taught there
    openByList(u"g.egg"_s);
    EXPECT_EQ(host.messages, QStringList({u"ファイルを開きました。"_s, u"このデータを再利用します。"_s}));
    EXPECT_EQ(said(), u"やあAnn。またきたぞ。");
    EXPECT_FALSE(form->endingWindow);
    EXPECT_EQ(statusValues(), QStringList({"Ann", "ミスター・トルマリン", "7", "赤ん坊", "2026/12/21", "2027/01/04"}));

    form->asavemenu->trigger();
    EXPECT_EQ(bytesOf(path(u"g.egg"_s)), file + "\"2026/12/21\",\"8\",\"\",\"\",\"\",\"\"\r\n"
                                                "\"2027/01/04\",\"7\",,,,\r\n");
}

// The greeting remark, with its mouth, comes before "ファイルを開きました。",
// and the period check after it.
TEST_F(EndToEndTest, OpenGreetsThenReportsThenChecksThePeriod)
{
    host.scene = [this] {
        const QString mouth = form->tmrTalk->isActive() ? u"talking"_s
                              : form->imgKuchi->shows(form->frames.img06) ? u"bared teeth"_s : u"still"_s;
        return said() + u" | "_s + mouth + (form->endingWindow ? u" | ending"_s : QString());
    };
    const struct {
        const char *like, *endDate;
        QStringList scenes;
        const char *after;
    } opens[] = {
        {"1", "2026/12/06", {u"Ann、やあ　あいさつもいいもんだな。 | talking / box: ファイルを開きました。"_s}, "the ending"},
        {"3", "2026/12/05",
         {u"やあか。つまらんあいさつだな。 | bared teeth / box: ファイルを開きました。"_s,
          u"やあか。つまらんあいさつだな。 | bared teeth / box: このデータを再利用します。"_s},
         "やあAnn。またきたぞ。"},
    };
    for (const auto &o : opens) {
        SCOPED_TRACE(std::string("last greeting liked ") + o.like);
        form = std::make_unique<Form1>(host);
        host.scenes.clear();
        put(path(u"g.egg"_s), gameFile(o.endDate, o.like));
        openByList(u"g.egg"_s);
        EXPECT_EQ(host.scenes, o.scenes);
        EXPECT_EQ(form->endingWindow ? u"the ending"_s : said(), QString::fromUtf8(o.after));
        EXPECT_TRUE(form->tmrMessage->isActive());
    }
}

} // namespace
