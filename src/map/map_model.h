// What the map window shows, read once when it opens: the base map and the
// located counties from chizu/, the census figures from the commandery file,
// all projected (projection.h) into kilometres, and what was missing or
// skipped. Built whole by load(); never changed afterwards.
#pragma once

#include "data/map_census.h"
#include "data/map_file.h"
#include "data/base_map.h"
#include "data/map_locations.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace mapmodel {

// A base-map line (a river or a border) in kilometres, with coarser copies
// for small scales: a line is drawn with no more points than a pixel holds.
struct Line {
    QPolygonF km;
    QRectF bounds;
    int rank = 0;     // a river's scalerank (0 the largest)
    QString label;    // a labelled river's "河（黄河）"

    // Douglas-Peucker tolerances of the coarser copies, in kilometres.
    static constexpr double kTolerances[3] = {1.5, 4.5, 13.5};
    QPolygonF coarse[3];

    // The copy to draw at `scale` pixels a kilometre: the coarsest that
    // strays from the line by at most half a pixel.
    const QPolygonF& at(double scale) const;
};

// A county or a place of the period on the map.
struct Point {
    QPointF km;
    int location = 0;   // index into MapModel::locations
    int province = 0;   // catalogue index, 0..12
    bool seat = false;
    bool approximate = false;
    bool place = false;
};

// A commandery's census figures at its seat.
struct CensusCircle {
    QPointF km;
    int province = 0;
    int seatPoint = 0;  // index into MapModel::points
    QString name;       // the commandery, real characters
    std::optional<qint64> households, population;
};

struct MapModel {
    QPainterPath land, lakes;        // rings, odd-even filled
    QRectF landBounds;
    std::vector<Line> rivers, borders;
    std::vector<locations::Location> locations;
    std::vector<Point> points;       // counties first, in file order, then places
    std::vector<CensusCircle> census;
    QRectF pointBounds;              // of the counties; empty when there are none

    mapfile::Report baseReport, locationReport, censusReport;

    // What the whole map shows: the counties, or the land without them.
    QRectF extent() const;
    // What is missing or was skipped, one Japanese sentence each, to be
    // drawn on the map: 基図がありません and the like. Census problems only
    // with `census`.
    QStringList problems(bool census) const;
};

// Reads `dataDir`/chizu/kihon.bin, `dataDir`/chizu/ichi.tsv (dropping stale
// entries against the county files of `dataDir`/syu/) and the census of
// `dataDir`/syu/州郡.txt. Never fails: what cannot be read is reported and
// left out.
MapModel load(const QString& dataDir);

// The same from what the readers gave, for tests and the benchmark.
MapModel build(const basemap::BaseMap& base, std::vector<locations::Location> locs,
               const std::vector<census::Commandery>& commanderies);

// The province's name as the reader writes it (兗州, 司隸校尉) by catalogue index.
QString provinceName(int province);

}  // namespace mapmodel
