#pragma once
// Between the game and the file window: the questions before a game is left
// or a file is added to or replaced, the file window itself, and what waits
// for a save made through it.

#include "engine/game.h"

#include <QObject>
#include <QPointer>

#include <functional>

class FileWindow;
class Host;
class QWidget;

class FileController : public QObject {
    Q_OBJECT
public:
    // `stage`: the window the questions and the file window belong to.
    FileController(Host &host, Game &game, QWidget *stage);

    // The file window, opened or brought to the front, in this mode.
    void showFileWindow(Game::FileMode mode);
    FileWindow *fileWindow() const;

    // Runs `leave` (which drops the game in hand) unless that would lose
    // records the player wants to keep: with unsaved ones, asks whether to
    // save first. Saving through the file window puts `leave` off until that
    // save succeeds. Returns what `leave` returned, false when it did not
    // run now.
    bool leaveGame(std::function<bool()> leave);
    // 上書き保存 from the menu.
    void save();
    // The file window's open: the game in hand is left first.
    bool askAndOpen(const QString &fileName);
    // The file window's save: asks before it replaces another saved game.
    bool saveAs(const QString &fileName);

signals:
    // A saved game was opened in place of the one in hand.
    void opened();

private:
    // Before an overwrite save: true to go on. Where the current file is not
    // the one the game last opened or saved, asks the player first.
    bool mayAddToCurrentFile();

    Host &host_;
    Game &game_;
    QWidget *stage_;
    QPointer<FileWindow> fileWindow_;
    // What waits for a save through the file window: leaving the game.
    std::function<bool()> afterSave_;
};
