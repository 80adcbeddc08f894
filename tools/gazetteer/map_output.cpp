#include "map_output.h"

#include "source_table.h"

#include "data/base_map.h"
#include "data/map_locations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cmath>
#include <map>

namespace mapout {
namespace {

using Tsv = source::Table;
using TsvRow = source::Row;

// Reads a source table of `dataDir`; the first fault is the error.
bool readTable(const QString& dataDir, const source::Schema& schema, Tsv& t, QString* error) {
    QStringList faults;
    if (!source::read(dataDir, schema, t, faults) || !faults.isEmpty()) {
        *error = faults.value(0);
        return false;
    }
    return true;
}

bool coordinate(const QString& s, double limit, double& out) {
    bool ok = false;
    out = s.toDouble(&ok);
    return ok && std::isfinite(out) && std::fabs(out) <= limit;
}

// "lon,lat lon,lat ..." as a feature of `layer`.
bool points(const Tsv& t, const TsvRow& r, const QString& text, basemap::Feature& f, QString* error) {
    for (const QString& pair : text.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList xy = pair.split(u',');
        basemap::GeoPoint p;
        if (xy.size() != 2 || !coordinate(xy[0], 180, p.lon) || !coordinate(xy[1], 90, p.lat)) {
            *error = t.where(r.line) + QStringLiteral("\"%1\" is not a point lon,lat").arg(pair.left(40));
            return false;
        }
        f.points.push_back(p);
    }
    QString why;
    if (!basemap::valid(f, &why)) {
        *error = t.where(r.line) + why;
        return false;
    }
    return true;
}

bool readBaseMap(const QString& dataDir, QByteArray& out, QString* error) {
    using basemap::Layer;
    namespace river = source::map_river;
    Tsv land, lakes, lines, borders, rivers;
    if (!readTable(dataDir, source::kMapLand, land, error) || !readTable(dataDir, source::kMapLakes, lakes, error) ||
        !readTable(dataDir, source::kMapRiverLines, lines, error) ||
        !readTable(dataDir, source::kMapBorders, borders, error) ||
        !readTable(dataDir, source::kMapRivers, rivers, error))
        return false;

    // The label of each labelled river, by its Natural Earth names.
    std::map<QString, QString> labels;
    std::map<QString, const TsvRow*> rowOf;
    for (const TsvRow& r : rivers.rows) {
        const QString key = r[river::name] + u'\t' + r[river::name_zh];
        const QString modern = r[river::modern];
        const QString period = r[river::period];
        if (labels.count(key)) {
            *error = rivers.where(r.line) + QStringLiteral("the river %1 is listed twice").arg(r[river::name]);
            return false;
        }
        if (modern.isEmpty() || r[river::source].trimmed().isEmpty()) {
            *error = rivers.where(r.line) + QStringLiteral("a river needs its modern name and a source");
            return false;
        }
        labels[key] = period.isEmpty() ? modern : period + u'（' + modern + u'）';
        rowOf[key] = &r;
    }

    basemap::BaseMap map;
    QSet<QString> used;
    // Drawing order: land under lakes, borders, then rivers on top.
    const struct { const Tsv* t; Layer layer; int points; } layers[] = {
        {&land, Layer::Land, source::map_area::points},
        {&lakes, Layer::Lake, source::map_area::points},
        {&borders, Layer::Border, source::map_border::points},
        {&lines, Layer::River, source::map_line::points}};
    for (const auto& [t, layer, pointsColumn] : layers) {
        for (const TsvRow& r : t->rows) {
            basemap::Feature f;
            f.layer = layer;
            if (layer == Layer::River) {
                bool ok = false;
                f.rank = r[source::map_line::scalerank].toInt(&ok);
                if (!ok || f.rank < 0 || f.rank > 255) {
                    *error = t->where(r.line) + QStringLiteral("scalerank is not a number from 0 to 255");
                    return false;
                }
                const QString key = r[source::map_line::name] + u'\t' + r[source::map_line::name_zh];
                const auto it = labels.find(key);
                if (it != labels.end()) {
                    f.label = it->second;
                    used.insert(key);
                }
            }
            if (!points(*t, r, r[pointsColumn], f, error))
                return false;
            map.features.push_back(std::move(f));
        }
    }
    for (const auto& [key, row] : rowOf) {
        if (!used.contains(key)) {
            *error = rivers.where(row->line) + QStringLiteral("no line of river_lines.tsv is %1")
                                                   .arg(QString(key).replace(u'\t', u' '));
            return false;
        }
    }
    QString why;
    if (!basemap::encode(map, out, &why)) {
        *error = QDir(dataDir).filePath(QStringLiteral("map")) + QStringLiteral(": ") + why;
        return false;
    }
    return true;
}

bool readLocations(const QString& dataDir, const std::vector<CountyRecord>& counties, QByteArray& out,
                   QString* error) {
    namespace col = source::location;
    Tsv t;
    if (!readTable(dataDir, source::kLocations, t, error))
        return false;
    std::map<QString, const CountyRecord*> byName;  // source commandery, source county
    for (const CountyRecord& c : counties)
        byName.emplace(c.sourceCommandery + u'\t' + c.sourceName, &c);
    QSet<QString> seen;
    out = "# Where each county lay, written by qm-gazetteer from data/locations.tsv\n"
          "# joined with the county records (src/data/map_locations.h).\n" +
          locations::headerLine();
    for (const TsvRow& r : t.rows) {
        const QString at = t.where(r.line);
        const QString commandery = r[col::commandery];
        const QString county = r[col::county];
        const auto it = byName.find(commandery + u'\t' + county);
        if (it == byName.end()) {
            *error = at + QStringLiteral("%1 has no county \"%2\"").arg(commandery, county);
            return false;
        }
        const CountyRecord& c = *it->second;
        locations::Location l;
        l.place = c.place;
        l.name = c.name;
        l.reading = c.reading;
        l.commandery = c.commandery;
        l.seat = c.seat;
        l.placeName = r[col::place];
        l.shown = c.sourceName;
        l.commanderyShown = c.sourceCommandery;
        if (!coordinate(r[col::latitude], 90, l.lat) ||
            !coordinate(r[col::longitude], 180, l.lon)) {
            *error = at + QStringLiteral("latitude and longitude must be degrees on the globe");
            return false;
        }
        const QString precision = r[col::precision];
        if (!locations::parsePrecision(precision, l.precision)) {
            *error = at + QStringLiteral("precision \"%1\" is not site, seat, area or approximate").arg(precision);
            return false;
        }
        l.modern = r[col::modern];
        l.source = r[col::source];
        l.note = r[col::note];
        const QString key = commandery + u'\t' + county + u'\t' + l.placeName;
        if (seen.contains(key)) {
            *error = at + QStringLiteral("%1 %2 %3 is located twice").arg(commandery, county, l.placeName);
            return false;
        }
        seen.insert(key);
        const QByteArray line = locations::formatLine(l);
        if (line.isEmpty()) {
            *error = at + QStringLiteral("the entry cannot be written to %1 (longer than %2 bytes?)")
                              .arg(locations::kFile).arg(locations::kMaxLine);
            return false;
        }
        out += line;
    }
    return true;
}

}  // namespace

bool build(const QString& dataDir, const std::vector<CountyRecord>& counties, Output& out,
           QString* error) {
    QString dummy;
    if (!error)
        error = &dummy;
    out = Output{};
    if (QFileInfo(QDir(dataDir).filePath(QStringLiteral("map"))).isDir()) {
        out.hasBaseMap = true;
        if (!readBaseMap(dataDir, out.baseMap, error))
            return false;
    }
    if (QFileInfo::exists(QDir(dataDir).filePath(source::kLocations.file))) {
        out.hasLocations = true;
        if (!readLocations(dataDir, counties, out.locations, error))
            return false;
    }
    return true;
}

bool write(const Output& out, const QString& dir, QString* error) {
    QString dummy;
    if (!error)
        error = &dummy;
    if (!out.hasBaseMap && !out.hasLocations)
        return true;
    QDir root(dir);
    if (!root.mkpath(basemap::kDir)) {
        *error = QStringLiteral("%1: cannot create %2/").arg(dir, basemap::kDir);
        return false;
    }
    const std::pair<bool, std::pair<QString, const QByteArray*>> files[] = {
        {out.hasBaseMap, {basemap::kFile, &out.baseMap}},
        {out.hasLocations, {locations::kFile, &out.locations}}};
    for (const auto& [has, file] : files) {
        if (!has)
            continue;
        QFile f(root.filePath(file.first));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(*file.second) != file.second->size()) {
            *error = QStringLiteral("%1: cannot write").arg(f.fileName());
            return false;
        }
    }
    return true;
}

}  // namespace mapout
