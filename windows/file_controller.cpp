#include "windows/file_controller.h"

#include "windows/file_window.h"
#include "windows/host.h"

#include <QFileInfo>

#include <utility>

FileController::FileController(Host &host, Game &game, QWidget *stage)
    : QObject(stage), host_(host), game_(game), stage_(stage)
{
}

FileWindow *FileController::fileWindow() const { return fileWindow_; }

void FileController::showFileWindow(Game::FileMode mode)
{
    if (!fileWindow_) {
        FileWindow::Actions actions;
        actions.picked = [this](const QString &file) { game_.chooseFile(file); };
        actions.open = [this](const QString &file) { return askAndOpen(file); };
        actions.save = [this](const QString &file) { return saveAs(file); };
        fileWindow_ = new FileWindow(FileWindow::startFolder(), std::move(actions), stage_);
        // What waited for a save through the window waits no longer once
        // the window is gone: that save did not happen.
        connect(fileWindow_, &QObject::destroyed, this, [this] { afterSave_ = nullptr; });
    }
    fileWindow_->setMode(mode == Game::FileMode::Open ? FileWindow::Mode::Open : FileWindow::Mode::Save);
    fileWindow_->show();
    fileWindow_->raise();
    fileWindow_->activateWindow();
}

bool FileController::leaveGame(std::function<bool()> leave)
{
    afterSave_ = nullptr;
    if (!game_.hasUnsavedRecords())
        return leave();
    const int answer = host_.ask(stage_, QStringLiteral("教えたことばや名前を、まだ保存していません。保存しますか？"),
                                 {QStringLiteral("保存"), QStringLiteral("保存しない"), QStringLiteral("キャンセル")},
                                 0);
    if (answer == 1)
        return leave();
    if (answer != 0)
        return false;
    if (!game_.currentFile().isEmpty())
        return mayAddToCurrentFile() && game_.overwriteSave(game_.currentFile()) && leave();
    showFileWindow(Game::FileMode::Save);
    // A name left in the box from before is no answer to this question.
    fileWindow_->clearName();
    afterSave_ = std::move(leave);
    return false;
}

void FileController::save()
{
    if (mayAddToCurrentFile())
        game_.save();
}

bool FileController::mayAddToCurrentFile()
{
    // A click in the file window's list makes a file current without a word;
    // this game's words go into another game's file only when asked for.
    if (!game_.addsToAnotherFile())
        return true;
    const QString name = QFileInfo(game_.currentFile()).fileName();
    return host_.ask(stage_,
                     QStringLiteral("「%1」は、このゲームで開いたり保存したりしたファイルではありません。"
                                    "このゲームのことばを書き足しますか？")
                         .arg(name),
                     {QStringLiteral("書き足す"), QStringLiteral("キャンセル")}, 1)
           == 0;
}

bool FileController::saveAs(const QString &fileName)
{
    if (game_.replacesAnotherFile(fileName)) {
        const QString name = QFileInfo(withEggExtension(fileName)).fileName();
        if (host_.ask(fileWindow_, QStringLiteral("「%1」はもうあります。置きかえますか？").arg(name),
                      {QStringLiteral("置きかえる"), QStringLiteral("キャンセル")}, 1)
            != 0)
            return false;
    }
    if (!game_.saveAs(fileName))
        return false;
    if (const std::function<bool()> leave = std::exchange(afterSave_, nullptr))
        leave();
    return true;
}

bool FileController::askAndOpen(const QString &fileName)
{
    return leaveGame([this, fileName] {
        if (!game_.open(fileName))
            return false;
        emit opened();
        return true;
    });
}
