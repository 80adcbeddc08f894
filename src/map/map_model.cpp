#include "map/map_model.h"

#include "data/base_map.h"
#include "data/paths.h"
#include "data/placeholders.h"
#include "data/provinces.h"
#include "map/projection.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <limits>

namespace mapmodel {
namespace {

QPolygonF projected(const std::vector<basemap::GeoPoint>& points) {
    QPolygonF out;
    out.reserve(static_cast<qsizetype>(points.size()));
    for (const basemap::GeoPoint& p : points)
        out << mapproj::project(p.lon, p.lat);
    return out;
}

// Douglas-Peucker: the points of `line` that keep it within `tolerance`;
// the ends stay.
QPolygonF simplified(const QPolygonF& line, double tolerance) {
    const qsizetype n = line.size();
    if (n < 3)
        return line;
    std::vector<char> keep(static_cast<std::size_t>(n), 0);
    keep.front() = keep.back() = 1;
    std::vector<std::pair<qsizetype, qsizetype>> stack{{0, n - 1}};
    while (!stack.empty()) {
        const auto [a, b] = stack.back();
        stack.pop_back();
        const QPointF pa = line[a], d = line[b] - pa;
        const double norm2 = d.x() * d.x() + d.y() * d.y();
        double worst = -1;
        qsizetype at = -1;
        for (qsizetype i = a + 1; i < b; ++i) {
            const QPointF v = line[i] - pa;
            // Squared distance to the chord (to `a` when the ends coincide).
            const double cross = d.x() * v.y() - d.y() * v.x();
            const double dist2 = norm2 > 0 ? cross * cross / norm2 : v.x() * v.x() + v.y() * v.y();
            if (dist2 > worst)
                worst = dist2, at = i;
        }
        if (at > 0 && worst > tolerance * tolerance) {
            keep[static_cast<std::size_t>(at)] = 1;
            stack.emplace_back(a, at);
            stack.emplace_back(at, b);
        }
    }
    QPolygonF out;
    for (qsizetype i = 0; i < n; ++i)
        if (keep[static_cast<std::size_t>(i)])
            out << line[i];
    return out;
}

int provinceIndex(const QString& countyFile) {
    const ProvinceRow* row = provinces::byCountyFile(countyFile);
    return row ? static_cast<int>(row - &provinces::rows()[0]) : -1;
}

}  // namespace

QString provinceName(int province) {
    const ProvinceRow* row = provinces::byIndex(province);
    if (!row)
        return {};
    return glyphs::readableName(row->display, QFileInfo(row->glyph).completeBaseName());
}

const QPolygonF& Line::at(double scale) const {
    const double allowed = 0.5 / scale;
    for (int i = 2; i >= 0; --i)
        if (kTolerances[i] <= allowed && !coarse[i].isEmpty())
            return coarse[i];
    return km;
}

QRectF MapModel::extent() const {
    if (!pointBounds.isEmpty())
        return pointBounds;
    return landBounds;
}

QStringList MapModel::problems(bool withCensus) const {
    QStringList out;
    if (baseReport.missing)
        out << QStringLiteral("基図がありません（chizu/kihon.bin）");
    else if (baseReport.skipped > 0)
        out << QStringLiteral("基図の %1 件が読めず、描いていません").arg(baseReport.skipped);
    if (locationReport.missing)
        out << QStringLiteral("位置データがありません（chizu/ichi.tsv）");
    else if (locationReport.skipped > 0)
        out << QStringLiteral("位置データの %1 件を読み飛ばしました（記録と合わない項目・壊れた行）")
                   .arg(locationReport.skipped);
    else if (points.empty())
        out << QStringLiteral("位置データに県がありません");
    if (withCensus) {
        if (censusReport.missing)
            out << QStringLiteral("郡の戸口データがありません（syu/州郡.txt）");
        else if (census.empty())
            out << QStringLiteral("戸口を描ける郡がありません");
        else if (censusReport.skipped > 0)
            out << QStringLiteral("%1 郡の戸口を描いていません（数字でない・郡治の位置がない）")
                       .arg(censusReport.skipped);
    }
    return out;
}

MapModel build(const basemap::BaseMap& base, std::vector<locations::Location> locs,
               const std::vector<census::Commandery>& commanderies) {
    MapModel m;
    m.land.setFillRule(Qt::OddEvenFill);
    m.lakes.setFillRule(Qt::OddEvenFill);
    for (const basemap::Feature& f : base.features) {
        QPolygonF km = projected(f.points);
        switch (f.layer) {
        case basemap::Layer::Land: m.land.addPolygon(km); break;
        case basemap::Layer::Lake: m.lakes.addPolygon(km); break;
        case basemap::Layer::River:
        case basemap::Layer::Border: {
            Line line{km, km.boundingRect(), f.rank, f.label, {}};
            for (int i = 0; i < 3; ++i)
                line.coarse[i] = simplified(i == 0 ? km : line.coarse[i - 1], Line::kTolerances[i]);
            (f.layer == basemap::Layer::River ? m.rivers : m.borders).push_back(std::move(line));
            break;
        }
        }
    }
    m.landBounds = m.land.boundingRect();

    // Counties first, places after them, each in file order: the hit test
    // and the labels take counties before the places drawn over them.
    std::stable_partition(locs.begin(), locs.end(), [](const locations::Location& l) { return !l.isPlace(); });
    m.locations = std::move(locs);
    QHash<QString, int> seatOf;  // county file \t commandery -> point
    constexpr double kInf = std::numeric_limits<double>::infinity();
    QPointF lo(kInf, kInf), hi(-kInf, -kInf);
    for (std::size_t i = 0; i < m.locations.size(); ++i) {
        const locations::Location& l = m.locations[i];
        const int province = provinceIndex(l.place.file);
        if (province < 0)
            continue;  // the reader admits catalogue files only
        Point p{mapproj::project(l.lon, l.lat), static_cast<int>(i), province, l.seat && !l.isPlace(),
                l.precision == locations::Precision::Approximate, l.isPlace()};
        if (!p.place) {
            lo = QPointF(std::min(lo.x(), p.km.x()), std::min(lo.y(), p.km.y()));
            hi = QPointF(std::max(hi.x(), p.km.x()), std::max(hi.y(), p.km.y()));
            if (p.seat)
                seatOf.insert(l.place.file + u'\t' + l.commandery, static_cast<int>(m.points.size()));
        }
        m.points.push_back(p);
    }
    // A bounding box of one point, or of points on one line, has no area:
    // widen it so that the view can fit it.
    if (lo.x() <= hi.x())
        m.pointBounds = QRectF(lo, hi).adjusted(-50, -50, 50, 50);

    for (const census::Commandery& c : commanderies) {
        const ProvinceRow* row = provinces::byLabel(c.province);
        const auto seat = row ? seatOf.constFind(row->countyFile + u'\t' + c.name) : seatOf.cend();
        if (seat == seatOf.cend()) {
            m.censusReport.skip(QStringLiteral("%1 %2: its seat is not on the map").arg(c.province, c.name));
            continue;
        }
        if (!c.households && !c.population)
            continue;  // the treatise gives no figure (遼東属国)
        const Point& p = m.points[static_cast<std::size_t>(*seat)];
        m.census.push_back({p.km, p.province, *seat,
                            m.locations[static_cast<std::size_t>(p.location)].commanderyShown,
                            c.households, c.population});
    }
    return m;
}

MapModel load(const QString& dataDir) {
    const QDir dir(dataDir);
    mapfile::Report base, where, people;
    const basemap::BaseMap map = basemap::read(dir.filePath(basemap::kFile), base);
    std::vector<locations::Location> locs = locations::read(dir.filePath(locations::kFile), where);
    locations::dropStale(locs, dataDir, where);
    const std::vector<census::Commandery> commanderies =
        census::read(dir.filePath(paths::kCommanderyFile), people);
    MapModel m = build(map, std::move(locs), commanderies);
    m.baseReport = base;
    m.locationReport = where;
    // The census report keeps both what the reader skipped and what the
    // join left out.
    m.censusReport.missing = people.missing;
    m.censusReport.problem = people.problem;
    m.censusReport.skipped += people.skipped;
    m.censusReport.details = people.details + m.censusReport.details;
    return m;
}

}  // namespace mapmodel
