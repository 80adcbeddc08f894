// Where each county lay, as the gazetteer compiler writes it to
// chizu/ichi.tsv: data/locations.tsv joined with the records.
//
// Format: UTF-8 text, one entry a line, fields separated by tabs; blank lines
// and lines starting with '#' are comments; the first other line is the
// header, which names the fields below in this order:
//   file  record  name  reading  commandery  seat  place  lat  lon
//   precision  modern  source  note  shown  commandery_shown
// `file` and `record` are the place of the county's record (the path as the
// handlers open it, syu/司隸.txt, and the 1-based record number); `name`,
// `reading` and `commandery` repeat the record's kenmei, kenyomi and gunmei
// values as stored, so an entry whose record has changed is recognised and
// skipped. `seat` is 1 for the commandery's seat (its first county), else 0.
// `place` is empty for the county itself and names a place of the period
// within it otherwise (官渡 in 中牟). `lat` and `lon` are degrees; `precision`
// is site, seat, area or approximate; `modern`, `source` and `note` are what
// the reader is told. `shown` and `commandery_shown` are the county's and its
// commandery's names with the real characters behind placeholders (雒陽 for
// ■陽).
#pragma once

#include "data/map_file.h"
#include "data/record_place.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace locations {

// How closely a point gives the place: the site itself (ruins, a spot), the
// modern seat on it, somewhere within a modern area, or a guess.
enum class Precision { Site, Seat, Area, Approximate };

// "site" -> Site and so on; false for anything else.
bool parsePrecision(const QString& word, Precision& out);
QString precisionWord(Precision p);
// What the reader is shown: 遺跡・地点, 現治所, 域内, 推定.
QString precisionShown(Precision p);

struct Location {
    RecordPlace place;           // the county's record, for a place row too
    QString name, reading;       // the record's kenmei and kenyomi as stored
    QString commandery;          // the record's gunmei as stored
    bool seat = false;
    QString placeName;           // empty for the county itself
    double lat = 0, lon = 0;
    Precision precision = Precision::Approximate;
    QString modern, source, note;
    QString shown, commanderyShown;

    bool isPlace() const { return !placeName.isEmpty(); }
};

// Where the compiler writes it, under the directory holding syu/.
inline const QString kFile = QStringLiteral("chizu/ichi.tsv");

inline constexpr int kFields = 15;
inline constexpr qsizetype kMaxLine = 1 << 12;
inline constexpr qint64 kMaxFileBytes = 16 << 20;
inline constexpr std::size_t kMaxEntries = 200000;

// The header line, newline included.
QByteArray headerLine();
// The line for `l`, newline included; empty when a field holds a tab, a
// newline or a NUL, or the entry is not one the reader would keep.
QByteArray formatLine(const Location& l);

// The entries of `bytes` that are well formed: fifteen fields; a file that
// is a province's county file of the catalogue; a record number from 1; a
// seat of 0 or 1; a latitude and longitude that are finite numbers on the
// globe; a known precision; UTF-8 text without NUL; at most kMaxLine bytes;
// not the same county or place again. Every other line is skipped and
// reported, and so is everything after kMaxEntries entries. No header (or
// another one) refuses the whole file.
std::vector<Location> parse(QByteArrayView bytes, mapfile::Report& report);

// parse() of the file at `path` (a full path), read as mapfile::readRegular
// does, of at most kMaxFileBytes.
std::vector<Location> read(const QString& path, mapfile::Report& report);

// Leaves out, and reports, each entry whose record is gone or is no longer
// the one the entry names: the record at its place in `dataDir` (the
// directory holding syu/) must exist and have the entry's name, reading and
// commandery. Each county file is opened once, as mapfile::RandomAccess
// does, and only the records named are read.
void dropStale(std::vector<Location>& entries, const QString& dataDir, mapfile::Report& report);

}  // namespace locations
