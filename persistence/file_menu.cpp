#include "app/main_window.h"

#include "app/host.h"
#include "persistence/egg_file.h"
#include "persistence/file_window.h"

#include <QAction>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <span>

namespace {

void showFileWindow(Form1 &stage, Form3::Mode mode)
{
    if (!stage.fileWindow)
        stage.fileWindow = new Form3(stage);
    stage.fileWindow->setMode(mode);
    stage.fileWindow->show();
    stage.fileWindow->raise();
    stage.fileWindow->activateWindow();
}

// A save ends in exactly one message: why it failed, or the success text once
// the file holds every record of this run.
bool finishSave(Form1 &stage, const QString &error, const QString &success)
{
    if (!error.isEmpty()) {
        stage.host().showMessage(&stage, error);
        return false;
    }
    stage.SavedNewRecords = stage.i;
    stage.host().showMessage(&stage, success);
    return true;
}

} // namespace

void Form1::opnmenuClick() { showFileWindow(*this, Form3::Mode::Open); }

void Form1::savemenuClick() { showFileWindow(*this, Form3::Mode::Save); }

void Form1::asavemenuClick()
{
    if (FileName.isEmpty())
        savemenuClick();
    else
        FSave();
}

bool Form1::FSave()
{
    FileName = withEggExtension(FileName);
    // Only what the file does not hold yet: appending the whole run again
    // would repeat records and raise the level counted at the next open.
    const int from = std::clamp<int>(SavedNewRecords, 0, i);
    return finishSave(*this, appendEggFile(FileName, std::span(NewData).subspan(from, i - from), &FileMark),
                      QStringLiteral("上書き保存しました。"));
}

bool Form1::NFSave()
{
    FileName = withEggExtension(FileName);
    return finishSave(*this,
                      saveEggFileAs(FileName, std::span(Data).subspan(1, DataMax), std::span(NewData).first(i),
                                    &FileMark),
                      QStringLiteral("名前を付けて保存しました。"));
}

bool Form1::FLoad()
{
    // The file is read and checked whole before anything of the game in hand
    // is touched: a refused file leaves every record, name and level as it was.
    EggLoad loaded = loadEggFile(FileName);
    if (!loaded.content) {
        host().showMessage(this, loaded.message);
        return false;
    }
    EggContent &file = *loaded.content;

    Rand = file.lastGreeting;
    lblMessage->setText(QStringLiteral("なにかことばおしえろ。"));
    CharaName = kCharaName;
    i = 0;
    J = 0;
    // Emptying the records in use with both counts at zero reaches slot 0 of
    // each array only; the slots beyond the counts are no records anyway.
    const WordRecord emptied{QString(), QString(), QString(), QString(), QString(), QString()};
    Data[0] = emptied;
    NewData[0] = emptied;
    std::move(file.records.begin(), file.records.end(), Data.begin() + 1);
    DataMax = static_cast<Int16>(file.records.size());
    if (file.yourName)
        YourName = *file.yourName;
    if (file.startDate)
        StartDate = *file.startDate;
    if (file.endDate)
        EndDate = *file.endDate;
    ELevel = file.eLevel;
    DLevel = file.dLevel;
    Level = DataMax;
    Step = 0;
    TalkFrom = QStringLiteral("y");
    SavedNewRecords = 0;
    FileMark = std::move(loaded.mark);
    resetDialogue();

    enableTimer(tmrTalk);
    enableTimer(tmrMessage);
    statusmenu->setEnabled(true);
    if (Rand != -1)
        AisatsuMsg();
    host().showMessage(this, QStringLiteral("ファイルを開きました。"));

    // Date texts are fixed-width, most significant first: as texts they
    // order as the dates do.
    const QString today = dateText(host().today());
    if (today == EndDate)
        Ending();
    else if (today > EndDate)
        AfterEnd();
    return true;
}
