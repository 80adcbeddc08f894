// The compiler's map output, chizu/ beside syu/, ji/ and betsu/: the base
// map from data/map/ (chizu/kihon.bin, see src/data/base_map.h) and
// data/locations.tsv joined with the county records (chizu/ichi.tsv, see
// src/data/map_locations.h).
#pragma once

#include "data/record_place.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace mapout {

// What the compiler knows of one county record when it has built it.
struct CountyRecord {
    RecordPlace place;           // its county file and record number
    QString name, reading;       // kenmei and kenyomi as stored
    QString commandery;          // gunmei as stored
    QString sourceName;          // the county's name in data/ (real characters)
    QString sourceCommandery;    // its commandery's name in data/
    bool seat = false;           // the first county of its commandery
};

// chizu/'s files in memory, so that nothing is written unless all is valid.
struct Output {
    bool hasBaseMap = false;     // data/map/ was there
    QByteArray baseMap;          // chizu/kihon.bin
    bool hasLocations = false;   // data/locations.tsv was there
    QByteArray locations;        // chizu/ichi.tsv
};

// Reads data/map/ (land.tsv, lakes.tsv, river_lines.tsv, borders.tsv and
// rivers.tsv, all five when the directory is there) and data/locations.tsv
// from `dataDir`, each when it is there, and builds chizu/ from them and
// `counties` (every county record, in record order). On the first fault —
// a malformed line, a point that is no coordinate, a ring left open, a
// river label for no river, a location of a county `counties` does not
// have, an unknown precision, the same county or place twice — returns
// false with "file:line: what" in `error`.
bool build(const QString& dataDir, const std::vector<CountyRecord>& counties, Output& out,
           QString* error);

// Writes what `out` has into `dir`/chizu/; nothing when it has nothing.
bool write(const Output& out, const QString& dir, QString* error);

}  // namespace mapout
