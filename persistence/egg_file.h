#pragma once
// Save files on disk: the naming rules and the three file operations. Every
// failure comes back as the Japanese text of the message box, saying what
// failed, for which file and why; a failed operation leaves the file (and, as
// nothing here touches a game, the game) as it was.

#include "persistence/egg_codec.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <span>

// A file larger than this is no save game: the reader holds it twice in memory.
constexpr qint64 kMaxEggFileBytes = 32 * 1024 * 1024;

// The extension rule of the saves: ".egg" is appended unless the name ends in
// ".egg" or ".EGG" exactly (so "memo.Egg" becomes "memo.Egg.egg").
QString withEggExtension(const QString &fileName);

// A folder and a name typed for it, joined with the platform's separator; a
// folder that already ends in one (a root) does not get a second. A name
// typed as an absolute path stands for itself.
QString joinFolderAndName(const QString &folder, const QString &name);

// What the game knows of a file it read or wrote: its length then and the
// bytes it ended in. An overwrite save checks that the file still holds them
// before it adds anything after them.
struct EggFileMark {
    QString fileName; // the file this is known of; another name is unknown
    qint64 size = 0;
    QByteArray tail; // the last bytes up to `size`
    // How many of the last bytes up to `size` are an unfinished record, left
    // out at the open; the next overwrite save cuts them off.
    qint64 unfinished = 0;
};

struct EggLoad {
    std::optional<EggContent> content; // set when the whole file was read
    QString message;                   // why not, when it was not
    EggFileMark mark;                  // the file as it was read
    // The last record was read whole but its line ends on a comma, no line
    // end after it: a write may have stopped there (see decodeEgg).
    bool lastRecordOpen = false;
};

// Reads the whole file; nothing of it is used unless all of it is sound,
// apart from an unfinished last record, which is left out (see decodeEgg)
// and counted in mark.unfinished. The file itself stays as it is.
EggLoad loadEggFile(const QString &fileName);

// How a save waits for a file another program holds locked: it tries
// kEggLockTries times, calling the pause between tries, so that the caller
// can keep its window alive; without a pause it tries once.
using EggLockPause = std::function<void(int milliseconds)>;
constexpr int kEggLockTries = 20;
constexpr int kEggLockPauseMs = 150;

// Replaces the file with these records (created if missing). The new content
// reaches the name only once complete, so a failure or a kill leaves the old
// file; where the folder allows no new file beside it, the save is refused
// rather than emptying the file to rewrite it. An overwrite save running on
// the old file is waited for (see EggLockPause). Nothing is written that
// loadEggFile would refuse for its size or its count of records. Returns the
// failure message, empty on success; on success `mark`, when given, records
// the file as written.
QString saveEggFileAs(const QString &fileName, std::span<const WordRecord> loaded, std::span<const WordRecord> made,
                      EggFileMark *mark = nullptr, const EggLockPause &pause = {});

// Adds these records after the file's content (created if missing), all or
// nothing: a failure leaves the file byte for byte as it was. Under the lock
// the whole file must read as records, whoever wrote them, and stay within
// kMaxEggRecords and kMaxEggFileBytes with the new ones. It adds to the
// file under the name when it holds the lock, never to one a save as has
// just replaced. When `mark` names this file, nothing is added unless the
// file still holds what it records, and the unfinished record it was opened
// with is cut off first. Returns the failure message, empty on success, and
// moves `mark` to the file as written.
QString appendEggFile(const QString &fileName, std::span<const WordRecord> made, EggFileMark *mark = nullptr,
                      const EggLockPause &pause = {});

// Empty in the game. A test sets it to run another game's save while an
// overwrite save holds the lock, has read the size it would roll back to and
// has not written yet: the one moment the lock is there for, which two
// processes racing each other hit only by chance.
extern std::function<void()> eggAppendLockedForTest;
