#include "locations_lint.h"

#include "source_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <cmath>
#include <optional>

namespace lint {
namespace {

using Tsv = source::Table;
using TsvRow = source::Row;
namespace col = source::location;

struct Point {
    double lat = 0, lon = 0;
};

double distanceKm(Point a, Point b) {
    constexpr double kRad = 3.14159265358979323846 / 180.0;
    const double h = std::pow(std::sin((b.lat - a.lat) * kRad / 2), 2) +
                     std::cos(a.lat * kRad) * std::cos(b.lat * kRad) * std::pow(std::sin((b.lon - a.lon) * kRad / 2), 2);
    return 2 * 6371.0 * std::asin(std::sqrt(std::min(1.0, h)));
}

std::optional<Point> pointOf(const TsvRow& r) {
    bool okLat = false, okLon = false;
    const Point p{r[col::latitude].toDouble(&okLat), r[col::longitude].toDouble(&okLon)};
    if (!okLat || !okLon || !std::isfinite(p.lat) || !std::isfinite(p.lon))
        return std::nullopt;
    return p;
}

}  // namespace

QStringList checkLocations(const QString& dataDir) {
    QStringList faults;
    const QDir dir(dataDir);
    if (!QFileInfo::exists(dir.filePath(source::kLocations.file)))
        return faults;
    Tsv locs, counties, others;
    if (!source::read(dataDir, source::kLocations, locs, faults) ||
        !source::read(dataDir, source::kCounties, counties, faults))
        return faults;
    const bool haveOthers = source::read(dataDir, source::kOtherNames, others, faults);

    QSet<QString> known;             // commandery \t county
    QHash<QString, QString> seatOf;  // commandery -> its first county
    for (const TsvRow& r : counties.rows) {
        const QString c = r[source::county::commandery];
        known.insert(c + u'\t' + r[source::county::name]);
        if (!seatOf.contains(c))
            seatOf.insert(c, r[source::county::name]);
    }
    QSet<QString> places;  // commandery \t county \t place, as other_names.tsv has them
    if (haveOthers)
        for (const TsvRow& r : others.rows)
            if (r[source::other::kind] == QLatin1String("place"))
                places.insert(r[source::other::commandery] + u'\t' + r[source::other::county] + u'\t' +
                              r[source::other::name]);

    // The seats' points first, wherever their rows stand.
    QHash<QString, Point> seatPoint;
    QSet<QString> located;
    for (const TsvRow& r : locs.rows) {
        const QString c = r[col::commandery], k = r[col::county];
        if (!r[col::place].isEmpty())
            continue;
        located.insert(c + u'\t' + k);
        if (seatOf.value(c) == k)
            if (const auto p = pointOf(r))
                seatPoint.insert(c, *p);
    }

    QSet<QString> geonames;
    bool geonamesRead = false;
    for (const TsvRow& r : locs.rows) {
        const QString c = r[col::commandery], k = r[col::county], p = r[col::place];
        const QString at = locs.where(r.line) + k + (p.isEmpty() ? QString() : u' ' + p) + QStringLiteral(": ");
        if (!known.contains(c + u'\t' + k)) {
            faults << at + QStringLiteral("%1 has no county \"%2\"").arg(c, k);
            continue;
        }
        const auto point = pointOf(r);
        if (!point)
            faults << at + QStringLiteral("the latitude and longitude are not numbers");
        else if (point->lon < kWest || point->lon > kEast || point->lat < kSouth || point->lat > kNorth)
            faults << at + QStringLiteral("%1°N %2°E lies outside %3–%4°E, %5–%6°N").arg(point->lat).arg(point->lon).arg(kWest).arg(kEast).arg(kSouth).arg(kNorth);
        else if (seatPoint.contains(c) && r[col::note].trimmed().isEmpty()) {
            const double d = distanceKm(*point, seatPoint.value(c));
            if (d > kFarFromSeatKm)
                faults << at + QStringLiteral("%1 km from %2, the seat of %3, and no note says why")
                                   .arg(qRound(d)).arg(seatOf.value(c), c);
        }
        const QString precision = r[col::precision];
        if (!source::kPrecisions.contains(precision))
            faults << at + QStringLiteral("unknown precision \"%1\"").arg(precision);
        else if (precision != QLatin1String("approximate") && r[col::source].trimmed().isEmpty())
            faults << at + QStringLiteral("no source for a point that is not approximate");
        const QString id = r[col::geonames].trimmed();
        if (!id.isEmpty()) {
            if (!geonamesRead) {
                geonamesRead = true;
                Tsv g;
                if (source::read(dataDir, source::kGeonames, g, faults))
                    for (const TsvRow& row : g.rows)
                        geonames.insert(row[source::geoname::id]);
            }
            if (!geonames.contains(id))
                faults << at + QStringLiteral("geonames %1 is not in geonames.tsv").arg(id);
        }
        if (!p.isEmpty() && haveOthers && !places.contains(c + u'\t' + k + u'\t' + p))
            faults << at + QStringLiteral("other_names.tsv has no place %1 in %2").arg(p, k);
    }
    for (const TsvRow& r : counties.rows) {
        const QString c = r[source::county::commandery], k = r[source::county::name];
        if (!located.contains(c + u'\t' + k))
            faults << counties.where(r.line) + k + QStringLiteral(": no row in locations.tsv");
    }
    return faults;
}

}  // namespace lint
