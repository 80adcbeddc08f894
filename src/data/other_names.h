// The index of other names that the gazetteer compiler writes beside syu/
// and ji/: later names, variant forms, places within a county, readings
// that references print, and the treatise's and simplified Chinese forms.
// Only the search reads it, afresh on every click, as it reads the records:
// one index file per record file, named as it is (betsu/司隸.tsv for
// syu/司隸.txt), so a search reads the entries of the files it reads and no
// others.
//
// Format: UTF-8 text, one entry a line, eight fields separated by tabs:
//   file  record  name  reading  kind  other  other-reading  note
// `file` and `record` are the place of the record the entry names (the
// path as the handlers open it, the 1-based record number); `name` and
// `reading` repeat that record's name and reading values, so an entry
// whose record has changed since the index was written is recognised and
// ignored. Blank lines and lines starting with '#' are comments. A line that
// is not well formed (other field count, a record that is no number, bytes
// that are not UTF-8, a NUL, longer than kMaxLine) is skipped.
#pragma once

#include "data/record_place.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace othernames {


// The longest line read; a longer one is skipped whole.
constexpr std::size_t kMaxLine = 1 << 12;

struct Entry {
    RecordPlace place;
    QString name;          // the record's name value, placeholders as stored
    QString reading;       // the record's reading value
    QString kind;          // later, variant, place, reading, traditional, simplified
    QString other;         // the other name: what the name searches match
    QString otherReading;  // its reading: what the reading searches match; may be empty
    QString note;          // what the reader is told of it
};

// The index line for `e`, newline included; empty when a field holds a tab,
// a newline or a NUL, or the place is unknown (such an entry cannot be
// written so that it reads back).
QByteArray formatLine(const Entry& e);

enum class Field { Name, Reading };

// The entries of one record file that a search found, by record number.
using FileMatches = QHash<int, Entry>;

// The entries of `recordFile` in the index file `indexFile` (a path as
// given; Gazetteer::otherNames() finds a gazetteer's) whose other name
// (Field::Name) or other reading (Field::Reading) contains `needle`, as the
// search compares: exactly, an empty field containing nothing. For each
// record the first such entry in the index's order is kept. An entry whose
// own name (or reading) already contains the needle is left out: its record
// is found by its own field, or is not the entry's record any more. Reads
// the file once, front to back. A missing, unreadable or non-regular file (a
// directory, a FIFO) gives no entries; nothing is ever created or written.
FileMatches find(const QString& indexFile, const QString& recordFile, const QString& needle,
                 Field field);

// The entry of `hits` for record `record`, if it still names the record
// whose name and reading values are `name` and `reading`; else nullptr.
const Entry* entryFor(const FileMatches& hits, int record, const QString& name,
                      const QString& reading);

}  // namespace othernames
