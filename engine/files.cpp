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
    savedNewRecords_ = newCount;
    emit message(success);
    return true;
}

void Game::chooseFile(const QString &fileName)
{
    // Only where the next overwrite save goes: what this run saved is still
    // in the file the game knows, and a click back on that file must not
    // make the next save add it again.
    currentFile_ = fileName;
}

void Game::save()
{
    if (currentFile_.isEmpty())
        emit fileWindowWanted(FileMode::Save);
    else
        overwriteSave(currentFile_);
}

bool Game::hasUnsavedRecords() const { return newCount > std::max(savedNewRecords_, newGameRecords_); }

bool Game::replacesAnotherFile(const QString &fileName) const
{
    const QFileInfo target(withEggExtension(fileName));
    return target.exists() && !target.isDir() && target != QFileInfo(fileMark_.fileName);
}

bool Game::addsToAnotherFile() const
{
    const QFileInfo target(currentFile_);
    return !currentFile_.isEmpty() && target.exists() && !target.isDir() && target != QFileInfo(fileMark_.fileName);
}

bool Game::overwriteSave(const QString &path)
{
    // The game's own file may be named by another path (through a folder
    // link): it is still the file whose content the game knows.
    const bool own = !fileMark_.fileName.isEmpty() && QFileInfo(path) == QFileInfo(fileMark_.fileName);
    const QString fileName = own ? fileMark_.fileName : path;
    // The file goes by its name as it was opened or saved: the ".egg" rule is
    // for names typed in the file window, and adding it here would start a
    // new file holding only this run's words. Only what the file does not
    // hold yet is added: appending the whole run again would repeat records
    // and raise the level counted at the next open.
    const int from = own ? std::clamp<int>(savedNewRecords_, 0, newCount) : 0;
    saving_ = true;
    const QString error = appendEggFile(fileName, std::span(newRecords).subspan(from, newCount - from), &fileMark_,
                                        [this](int milliseconds) { environment_.pause(milliseconds); });
    saving_ = false;
    if (error.isEmpty())
        currentFile_ = fileName;
    const bool saved = finishSave(error, QStringLiteral("上書き保存しました。"));
    emit changed();
    return saved;
}

bool Game::saveAs(const QString &fileName)
{
    const QString name = withEggExtension(fileName);
    // A save as waits for a file in use as an overwrite save does.
    saving_ = true;
    const QString error = saveEggFileAs(name, std::span(fileRecords).subspan(1, fileCount),
                                        std::span(newRecords).first(newCount), &fileMark_,
                                        [this](int milliseconds) { environment_.pause(milliseconds); });
    saving_ = false;
    if (error.isEmpty())
        currentFile_ = name;
    const bool saved = finishSave(error, QStringLiteral("名前を付けて保存しました。"));
    emit changed();
    return saved;
}

bool Game::open(const QString &fileName) { return openFile(fileName, {}); }

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
    currentFile_ = name;

    const FileSummary summary = summarize(file.records);
    screen_.sentence = QStringLiteral("なにかことばおしえろ。");
    characterName = kCharacterName;
    newCount = 0;
    // Emptying the records in use with both counts at zero reaches slot 0 of
    // each array only; the slots beyond the counts are no records anyway.
    const WordRecord emptied{QString(), QString(), QString(), QString(), QString(), QString()};
    fileRecords[0] = emptied;
    newRecords[0] = emptied;
    std::move(file.records.begin(), file.records.end(), fileRecords.begin() + 1);
    fileCount = static_cast<Int16>(file.records.size());
    playerName = summary.playerName.value_or(playerName);
    startDate = summary.startDate.value_or(startDate);
    endDate = summary.endDate.value_or(endDate);
    vulgarCount = summary.vulgarCount;
    uselessCount = summary.uselessCount;
    level = fileCount;
    step = TeachingStep::Word;
    talkFrom = Memory::File;
    talkIndex = summary.lastGreeting;
    savedNewRecords_ = 0;
    newGameRecords_ = 0;
    const bool unfinished = loaded.mark.unfinished > 0;
    fileMark_ = std::move(loaded.mark);
    resetDialogue();

    face_.mouthTimer.enable();
    remarkTimer_.enable();
    screen_.statusAvailable = true;
    // The character greets the player with the last greeting it was taught.
    if (talkIndex != -1) {
        talkWord = textOf(talkRecord().Text);
        remark(Generator::Greeting);
    }
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
    const QDate today = std::min(environment_.today(), kLastDate), end = dateFromText(endDate);
    const int order = end.isValid() ? (today > end) - (today < end) : QString::compare(dateText(today), endDate);
    if (order == 0)
        beginFarewell();
    else if (order > 0)
        beginNextPeriod();
    emit changed();
    return true;
}
