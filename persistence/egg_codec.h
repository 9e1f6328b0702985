#pragma once
// The ".egg" save file as bytes: one record a line, six comma-separated
// fields, texts in double quotes, unset fields empty, CP932, CR LF.
//
// The reader accepts everything the writer produces and gives back the
// records it wrote; what a game makes of them is the game's. Both sides refuse rather
// than guess: the writer never puts a substitution byte into a file nor a
// text that would read back otherwise, and the reader never hands back a
// partial file as a whole one.

#include "types/word_record.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <span>
#include <vector>

// The file fills fileRecords(1 ... 10000); one record more cannot be opened.
constexpr int kMaxEggRecords = kMaxFileRecords;

// The encoding name that QStringConverter (through ICU) knows as code page
// 932, the NEC and IBM extensions included.
inline constexpr char kEggEncoding[] = "windows-31j";

// A whole file read: the records in file order.
struct EggContent {
    std::vector<WordRecord> records;
};

struct EggDecoded {
    EggContent content;
    QString error; // why the bytes are no save file, in Japanese; empty when read
    int line = 0;  // the line the error points at (1 ...), 0 when none
    // Set on an error: the bytes ended inside a record or a character, as a
    // write cut short leaves them.
    bool cutShort = false;
    // On success: how many bytes at the end were an unfinished last record
    // and are not in `content`; 0 when every byte was read.
    qsizetype unfinishedBytes = 0;
    // On success: the last line has no line end and stops on a comma, as a
    // write cut right after a record's fifth comma leaves it. The reading
    // rule takes it as a whole record with its last field unset, so it is
    // read, but the player may have lost that answer.
    bool lastRecordOpen = false;
    bool ok() const { return error.isEmpty(); }
};

struct EggEncoded {
    QByteArray bytes;
    QString error; // which text cannot be written and why; empty when written
    bool ok() const { return error.isEmpty(); }
};

// Reads every record of a file's bytes, or refuses the whole file. The one
// fault forgiven is what a write interrupted at the end leaves: a last line
// without a line end that holds nothing but one unfinished record. It is left
// out and counted in `unfinishedBytes`, and everything before it is read.
// A last line cut after its fifth comma cannot be told from a whole record;
// it is read and flagged in `lastRecordOpen`.
EggDecoded decodeEgg(QByteArrayView bytes);

// The lines of the records, first all of `loaded`, then all of `made`.
EggEncoded encodeEgg(std::span<const WordRecord> loaded, std::span<const WordRecord> made = {});

// One record as one line, CR LF included.
inline EggEncoded encodeEggRecord(const WordRecord &record) { return encodeEgg({&record, 1}); }
