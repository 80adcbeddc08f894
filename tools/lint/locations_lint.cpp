#include "locations_lint.h"

#include "data/format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <cmath>
#include <optional>

namespace lint {
namespace {

using format::Tsv;
using format::TsvRow;

struct Point {
    double lat = 0, lon = 0;
};

double distanceKm(Point a, Point b) {
    constexpr double kRad = 3.14159265358979323846 / 180.0;
    const double h = std::pow(std::sin((b.lat - a.lat) * kRad / 2), 2) +
                     std::cos(a.lat * kRad) * std::cos(b.lat * kRad) * std::pow(std::sin((b.lon - a.lon) * kRad / 2), 2);
    return 2 * 6371.0 * std::asin(std::sqrt(std::min(1.0, h)));
}

std::optional<Point> pointOf(const Tsv& t, const TsvRow& r) {
    bool okLat = false, okLon = false;
    const Point p{t.at(r, QStringLiteral("latitude")).toDouble(&okLat),
                  t.at(r, QStringLiteral("longitude")).toDouble(&okLon)};
    if (!okLat || !okLon || !std::isfinite(p.lat) || !std::isfinite(p.lon))
        return std::nullopt;
    return p;
}

bool read(const QString& path, const QStringList& columns, Tsv& t, QStringList& faults) {
    if (!format::readTsv(path, t, faults))
        return false;
    bool ok = true;
    for (const QString& c : columns) {
        if (!t.header.contains(c)) {
            faults << t.where(t.headerLine) + QStringLiteral("no column \"%1\"").arg(c);
            ok = false;
        }
    }
    return ok;
}

}  // namespace

QStringList checkLocations(const QString& dataDir) {
    QStringList faults;
    const QDir dir(dataDir);
    if (!QFileInfo::exists(dir.filePath(QStringLiteral("locations.tsv"))))
        return faults;
    const QString commandery = QStringLiteral("commandery"), county = QStringLiteral("county"),
                  place = QStringLiteral("place"), name = QStringLiteral("name");
    Tsv locs, counties, others;
    if (!read(dir.filePath(QStringLiteral("locations.tsv")),
              {commandery, county, place, QStringLiteral("latitude"), QStringLiteral("longitude"),
               QStringLiteral("precision"), QStringLiteral("source"), QStringLiteral("geonames"),
               QStringLiteral("note")},
              locs, faults) ||
        !read(dir.filePath(QStringLiteral("counties.tsv")), {commandery, name}, counties, faults))
        return faults;
    const bool haveOthers = read(dir.filePath(QStringLiteral("other_names.tsv")),
                                 {commandery, county, QStringLiteral("other"), QStringLiteral("kind")},
                                 others, faults);

    QSet<QString> known;             // commandery \t county
    QHash<QString, QString> seatOf;  // commandery -> its first county
    for (const TsvRow& r : counties.rows) {
        const QString c = counties.at(r, commandery);
        known.insert(c + u'\t' + counties.at(r, name));
        if (!seatOf.contains(c))
            seatOf.insert(c, counties.at(r, name));
    }
    QSet<QString> places;  // commandery \t county \t place, as other_names.tsv has them
    if (haveOthers)
        for (const TsvRow& r : others.rows)
            if (others.at(r, QStringLiteral("kind")) == QLatin1String("place"))
                places.insert(others.at(r, commandery) + u'\t' + others.at(r, county) + u'\t' +
                              others.at(r, QStringLiteral("other")));

    // The seats' points first, wherever their rows stand.
    QHash<QString, Point> seatPoint;
    QSet<QString> located;
    for (const TsvRow& r : locs.rows) {
        const QString c = locs.at(r, commandery), k = locs.at(r, county);
        if (!locs.at(r, place).isEmpty())
            continue;
        located.insert(c + u'\t' + k);
        if (seatOf.value(c) == k)
            if (const auto p = pointOf(locs, r))
                seatPoint.insert(c, *p);
    }

    QSet<QString> geonames;
    bool geonamesRead = false;
    static const QStringList precisions{QStringLiteral("site"), QStringLiteral("seat"), QStringLiteral("area"),
                                        QStringLiteral("approximate")};
    for (const TsvRow& r : locs.rows) {
        const QString c = locs.at(r, commandery), k = locs.at(r, county), p = locs.at(r, place);
        const QString at = locs.where(r.line) + k + (p.isEmpty() ? QString() : u' ' + p) + QStringLiteral(": ");
        if (!known.contains(c + u'\t' + k)) {
            faults << at + QStringLiteral("%1 has no county \"%2\"").arg(c, k);
            continue;
        }
        const auto point = pointOf(locs, r);
        if (!point)
            faults << at + QStringLiteral("the latitude and longitude are not numbers");
        else if (point->lon < kWest || point->lon > kEast || point->lat < kSouth || point->lat > kNorth)
            faults << at + QStringLiteral("%1°N %2°E lies outside %3–%4°E, %5–%6°N").arg(point->lat).arg(point->lon).arg(kWest).arg(kEast).arg(kSouth).arg(kNorth);
        else if (seatPoint.contains(c) && locs.at(r, QStringLiteral("note")).trimmed().isEmpty()) {
            const double d = distanceKm(*point, seatPoint.value(c));
            if (d > kFarFromSeatKm)
                faults << at + QStringLiteral("%1 km from %2, the seat of %3, and no note says why")
                                   .arg(qRound(d)).arg(seatOf.value(c), c);
        }
        const QString precision = locs.at(r, QStringLiteral("precision"));
        if (!precisions.contains(precision))
            faults << at + QStringLiteral("unknown precision \"%1\"").arg(precision);
        else if (precision != QLatin1String("approximate") && locs.at(r, QStringLiteral("source")).trimmed().isEmpty())
            faults << at + QStringLiteral("no source for a point that is not approximate");
        const QString id = locs.at(r, QStringLiteral("geonames")).trimmed();
        if (!id.isEmpty()) {
            if (!geonamesRead) {
                geonamesRead = true;
                // The GeoNames file's own columns, no header: the id is each
                // line's first field.
                QFile g(dir.filePath(QStringLiteral("geonames.tsv")));
                if (g.open(QIODevice::ReadOnly)) {
                    for (const QByteArray& line : g.readAll().split('\n'))
                        geonames.insert(QString::fromUtf8(line.left(line.indexOf('\t'))));
                } else {
                    faults << g.fileName() + QStringLiteral(":0: cannot read the GeoNames extract the ids refer to");
                }
            }
            if (!geonames.contains(id))
                faults << at + QStringLiteral("geonames %1 is not in geonames.tsv").arg(id);
        }
        if (!p.isEmpty() && haveOthers && !places.contains(c + u'\t' + k + u'\t' + p))
            faults << at + QStringLiteral("other_names.tsv has no place %1 in %2").arg(p, k);
    }
    for (const TsvRow& r : counties.rows) {
        const QString c = counties.at(r, commandery), k = counties.at(r, name);
        if (!located.contains(c + u'\t' + k))
            faults << counties.where(r.line) + k + QStringLiteral(": no row in locations.tsv");
    }
    return faults;
}

}  // namespace lint
