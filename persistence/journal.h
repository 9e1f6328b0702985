#pragma once
// The recovery journal: the records a running game holds unsaved, each
// written to disk as it enters, so that a crash, a kill or a power cut costs
// no word taught since the last save. It serves recovery only: the player
// still chooses when a save file is written.
//
// Each running game keeps at most one journal, a file of mode 0600 in a
// folder of mode 0700, and holds it locked while it runs. A journal that no
// running game holds was left by a game that ended without being asked. The
// journal is text in the save file's record format: a first record that says
// which save file the game belongs to, then one record a line. Nothing here
// follows a symbolic link or writes outside the folder.

#include "types/word_record.h"

#include <QString>

#include <span>
#include <utility>
#include <vector>

// What a journal's first record says of its game.
struct JournalHeader {
    QString fileName; // the save file the game belongs to; empty when none
    qint64 held = 0;  // how many records that file held as the game knew it
    int quiet = 0;    // how many of the first records a new game made by itself (its dates)

    friend bool operator==(const JournalHeader &, const JournalHeader &) = default;
};

// A file descriptor, closed (and so unlocked) with its owner.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(FileHandle &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileHandle &operator=(FileHandle &&other) noexcept;
    ~FileHandle() { reset(); }
    int fd() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset();

private:
    int fd_ = -1;
};

// The folder of the journals: $XDG_STATE_HOME/nanairobako, by default
// ~/.local/state/nanairobako.
QString defaultJournalFolder();

// This game's own journal.
class Journal {
public:
    explicit Journal(QString folder) : folder_(std::move(folder)) {}

    // Starts a journal with these records; a journal already open is
    // replaced only once the new one is complete. Returns why it could not be
    // written, empty on success.
    QString begin(const JournalHeader &header, std::span<const WordRecord> records);
    // Adds records to the open journal and waits until they are on the disk.
    QString append(std::span<const WordRecord> records);
    // Deletes the journal: nothing is left to recover.
    void remove();

    bool isOpen() const { return bool(file_); }
    const JournalHeader &header() const { return header_; }
    const QString &folder() const { return folder_; }
    // The journal's full path; empty when none is open.
    QString path() const;

private:
    QString folder_;
    QString name_;
    JournalHeader header_;
    FileHandle file_;
};

// A journal left by a game that is no longer running, held by this game
// (so that no other copy offers it too) until it is discarded or let go.
struct LeftJournal {
    QString folder;
    QString name;
    JournalHeader header;
    std::vector<WordRecord> records; // after the header
    QString error;                   // why it cannot be read; empty when read
    FileHandle lock;

    QString path() const;
};

// The journals in the folder that no running game holds, oldest first.
// Leftovers of a journal that was never finished (its game died before its
// first record was on the disk) are removed on the way.
std::vector<LeftJournal> leftJournals(const QString &folder);

// Deletes a left journal, on the player's word or once its records live on
// elsewhere; returns false when it could not be.
bool discardJournal(LeftJournal &left);
