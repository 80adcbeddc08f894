// The gazetteer source in data/ as the compiler and the lint both read it:
// the schema of each table (its file and columns, in order), the values a
// column may take, and the reader. UTF-8, one row a line, fields separated
// by tabs; a trailing CR is dropped; blank lines and lines starting with '#'
// are skipped; the first other line is the header, which must name the
// schema's columns in order.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace source {

// A table of data/ and the columns of its header line, in order. Each
// table's column numbers below follow its `columns` list.
struct Schema {
    QString file;
    QStringList columns;
};

namespace province {
enum Column : int { label, name, traditional, reading };
}
namespace commandery {
enum Column : int { province, name, traditional, reading, cities, households, population, remark };
}
namespace county {
enum Column : int { commandery, name, traditional, reading, unit, note, products };
}
namespace katakana {
enum Column : int { character, kana };
}
namespace kanon {
enum Column : int { character, readings };
}
namespace other {
enum Column : int { commandery, county, name, reading, kind, year, note, source };
}
namespace char_reading {
enum Column : int { chars, reading, names, basis, note };
}
namespace reading_review {
enum Column : int { commandery, name, before, after, reason };
}
namespace location {
enum Column : int { commandery, county, place, latitude, longitude, precision, modern, source, geonames, note };
}
namespace geoname {
enum Column : int { id, name, asciiname, alternatenames, latitude, longitude };
}
// The base map's tables in data/map/: rings and lines as "lon,lat lon,lat …".
namespace map_area {
enum Column : int { feature, points };  // land.tsv, lakes.tsv
}
namespace map_line {
enum Column : int { name, name_zh, scalerank, points };  // river_lines.tsv
}
namespace map_border {
enum Column : int { name, points };
}
namespace map_river {
enum Column : int { name, name_zh, modern, period, note, source };  // rivers.tsv: the labels
}
namespace collation {
enum Column : int { province, commandery, county, field, gazetteer, edition, cls, reason };
}

extern const Schema kProvinces;     // provinces.tsv
extern const Schema kCommanderies;  // commanderies.tsv
extern const Schema kCounties;      // counties.tsv
extern const Schema kKatakana;      // katakana.tsv
extern const Schema kKanon;         // kanon.tsv
extern const Schema kOtherNames;    // other_names.tsv
extern const Schema kCollation;     // collation.tsv
extern const Schema kCharReadings;  // char_readings.tsv
extern const Schema kReadingsReview;  // readings_review.tsv
extern const Schema kLocations;     // locations.tsv
extern const Schema kGeonames;      // geonames.tsv: the GeoNames rows the locations name
extern const Schema kMapLand, kMapLakes, kMapRiverLines, kMapBorders, kMapRivers;  // map/*.tsv

// What a county's `unit` may be: empty (a county), 侯国, 道 or 邑.
extern const QStringList kUnits;
// What a location's `precision` may be: site, seat, area, approximate.
extern const QStringList kPrecisions;
// What an other name's `kind` may be: later, variant, place, reading, alias.
extern const QStringList kOtherKinds;

struct Row {
    int line = 0;
    QStringList fields;
    // The field in `column`; empty past the end.
    QString operator[](int column) const { return fields.value(column); }
};

struct Table {
    QString path;  // as read, for messages
    int headerLine = 0;
    std::vector<Row> rows;

    // "path:line: ", the start of a message about that line.
    QString where(int line) const;
};

// Reads `schema`'s file from `dataDir` into `out`. Each fault is added to
// `faults` as "path:line: what": a line that is not UTF-8 text or has
// another number of fields than the header is left out. False when the file
// cannot be read, has no header, or its header is not the schema's.
bool read(const QString& dataDir, const Schema& schema, Table& out, QStringList& faults);

// Readings are hiragana (U+3041..U+3096); the katakana written for a
// character without a CP932 code are katakana letters (U+30A1..U+30FA) and
// the long-vowel mark ー. Both false for an empty text.
bool isHiragana(const QString& s);
bool isKatakana(const QString& s);

}  // namespace source
