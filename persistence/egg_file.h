#pragma once
// Save files on disk: the naming rules and the three file operations. Every
// failure comes back as the Japanese text of the message box, saying what
// failed, for which file and why; a failed operation leaves the file (and, as
// nothing here touches a game, the game) as it was.

#include "persistence/egg_codec.h"

#include <QString>

#include <optional>
#include <span>

// A file larger than this is no save game: the reader holds it twice in memory.
constexpr qint64 kMaxEggFileBytes = 32 * 1024 * 1024;

// The extension rule of the saves: ".egg" is appended unless the name ends in
// ".egg" or ".EGG" exactly (so "memo.Egg" becomes "memo.Egg.egg").
QString withEggExtension(const QString &fileName);

// A folder and a name typed for it, joined with the platform's separator; a
// folder that already ends in one (a root) does not get a second.
QString joinFolderAndName(const QString &folder, const QString &name);

struct EggLoad {
    std::optional<EggContent> content; // set when the whole file was read
    QString message;                   // why not, when it was not
};

// Reads the whole file; nothing of it is used unless all of it is sound.
EggLoad loadEggFile(const QString &fileName);

// Replaces the file with these records (created if missing). The new content
// reaches the name only once complete, so a failure leaves the old file.
// Returns the failure message, empty on success.
QString saveEggFileAs(const QString &fileName, std::span<const WordRecord> loaded,
                      std::span<const WordRecord> made);

// Adds these records after the file's content (created if missing), all or
// nothing: a failure leaves the file byte for byte as it was. Returns the
// failure message, empty on success.
QString appendEggFile(const QString &fileName, std::span<const WordRecord> made);
