// New game's counterpart on disk: open, overwrite save and save as.

#include "engine/game.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <span>

bool Game::finishSave(const QString &error, const QString &success)
{
    if (!error.isEmpty()) {
        emit message(error);
        return false;
    }
    SavedNewRecords = i;
    emit message(success);
    return true;
}

void Game::chooseFile(const QString &fileName)
{
    // Only where the next overwrite save goes: what this run saved is still
    // in the file the game knows, and a click back on that file must not
    // make the next save add it again.
    FileName = fileName;
}

void Game::asavemenuClick()
{
    if (FileName.isEmpty())
        emit fileWindowWanted(FileMode::Save);
    else
        FSave(FileName);
}

bool Game::hasUnsavedRecords() const { return i > std::max(SavedNewRecords, NewGameRecords); }

bool Game::replacesAnotherFile(const QString &fileName) const
{
    const QFileInfo target(withEggExtension(fileName));
    return target.exists() && !target.isDir() && target != QFileInfo(FileMark.fileName);
}

bool Game::addsToAnotherFile() const
{
    const QFileInfo target(FileName);
    return !FileName.isEmpty() && target.exists() && !target.isDir() && target != QFileInfo(FileMark.fileName);
}

bool Game::FSave(const QString &fileName)
{
    // The file goes by its name as it was opened or saved: the ".egg" rule is
    // for names typed in the file window, and adding it here would start a
    // new file holding only this run's words. Only what the file does not
    // hold yet is added: appending the whole run again would repeat records
    // and raise the level counted at the next open.
    const int from = fileName == FileMark.fileName ? std::clamp<int>(SavedNewRecords, 0, i) : 0;
    saving_ = true;
    const QString error = appendEggFile(fileName, std::span(NewData).subspan(from, i - from), &FileMark,
                                        [this](int milliseconds) { environment_.pause(milliseconds); });
    saving_ = false;
    if (error.isEmpty())
        FileName = fileName;
    const bool saved = finishSave(error, QStringLiteral("上書き保存しました。"));
    emit changed();
    return saved;
}

bool Game::NFSave(const QString &fileName)
{
    const QString name = withEggExtension(fileName);
    const QString error =
        saveEggFileAs(name, std::span(Data).subspan(1, DataMax), std::span(NewData).first(i), &FileMark,
                      [this](int milliseconds) { environment_.pause(milliseconds); });
    if (error.isEmpty())
        FileName = name;
    const bool saved = finishSave(error, QStringLiteral("名前を付けて保存しました。"));
    emit changed();
    return saved;
}

bool Game::FLoad(const QString &fileName) { return openFile(fileName, {}); }

bool Game::openFile(const QString &fileName, const std::function<void()> &recovering)
{
    // The file is read and checked whole before anything of the game in hand
    // is touched: a refused file leaves every record, name and level as it was.
    const QString name = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
    EggLoad loaded = loadEggFile(name);
    if (!loaded.content) {
        // Taking back a crashed game's words, the caller goes on with a new game.
        emit message(recovering ? loaded.message.section(u'\n', 0, -2)
                                      + QStringLiteral("\n保存していなかったことばは、新しいゲームにもどします。"
                                                       "「名前をつけて保存」で残してください。")
                                : loaded.message);
        emit changed();
        return false;
    }
    EggContent &file = *loaded.content;
    FileName = name;

    Rand = file.lastGreeting;
    sentence = QStringLiteral("なにかことばおしえろ。");
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
    NewGameRecords = 0;
    const bool unfinished = loaded.mark.unfinished > 0;
    FileMark = std::move(loaded.mark);
    resetDialogue();

    face.tmrTalk.enable();
    tmrMessage.enable();
    statusMenu = true;
    if (Rand != -1)
        AisatsuMsg();
    QString opened = QStringLiteral("ファイルを開きました。");
    if (unfinished) {
        opened += QStringLiteral("\n最後のレコードは書きかけだったので、読みこんでいません。"
                                 "ファイルはそのままにしてあり、次に上書き保存するときに、"
                                 "その書きかけの部分を取りのぞきます。");
    } else if (loaded.lastRecordOpen) {
        // It may as well be whole, so it stays: the next overwrite save ends
        // its line before it adds.
        opened += QStringLiteral("\n最後のレコードは、区切りのカンマのところで切れているようです。"
                                 "レコードとして読みこみましたが、最後の答えがぬけているかもしれません。"
                                 "ファイルはそのままにしてあり、次に上書き保存するときは、"
                                 "改行を入れてからそのあとに書き足します。");
    }
    emit message(opened);
    // Words taken back after a crash count for the period as if never lost.
    if (recovering)
        recovering();

    // An end date that names no date (a file written by hand) is compared as
    // text, the way date texts of the fixed form order.
    const QDate today = std::min(environment_.today(), kLastDate), end = dateFromText(EndDate);
    const int order = end.isValid() ? (today > end) - (today < end) : QString::compare(dateText(today), EndDate);
    if (order == 0)
        Ending();
    else if (order > 0)
        AfterEnd();
    emit changed();
    return true;
}
