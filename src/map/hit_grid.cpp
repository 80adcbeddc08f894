#include "map/hit_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Cells are numbered within ±2^30 on each axis: far beyond the Earth at any
// cell size the map uses, and the key of two such numbers cannot overflow.
constexpr std::int64_t kLimit = std::int64_t(1) << 30;

std::int64_t cellIndex(double v, double cell) {
    const double c = std::floor(v / cell);
    if (!(c > -double(kLimit)))
        return -kLimit;
    if (!(c < double(kLimit)))
        return kLimit;
    return static_cast<std::int64_t>(c);
}
}  // namespace

std::int64_t HitGrid::key(std::int64_t cx, std::int64_t cy) { return (cx + kLimit) * (2 * kLimit + 1) + (cy + kLimit); }

std::int64_t HitGrid::cellOf(QPointF km) const { return key(cellIndex(km.x(), cell_), cellIndex(km.y(), cell_)); }

void HitGrid::build(const std::vector<QPointF>& points, double cellKm) {
    cell_ = cellKm > 0 && std::isfinite(cellKm) ? cellKm : 1;
    points_ = points;
    sorted_.clear();
    sorted_.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        sorted_.emplace_back(cellOf(points[i]), static_cast<int>(i));
    std::sort(sorted_.begin(), sorted_.end());
}

int HitGrid::nearest(QPointF km, double radiusKm, const std::function<bool(int)>& accept) const {
    if (!(radiusKm >= 0) || !std::isfinite(km.x()) || !std::isfinite(km.y()))
        return -1;
    int best = -1;
    double bestD = std::numeric_limits<double>::infinity();
    const auto consider = [&](int i) {
        const QPointF d = points_[static_cast<std::size_t>(i)] - km;
        const double dist = std::hypot(d.x(), d.y());
        if (dist <= radiusKm && (dist < bestD || (dist == bestD && i < best)) && (!accept || accept(i))) {
            best = i;
            bestD = dist;
        }
    };
    const std::int64_t x0 = cellIndex(km.x() - radiusKm, cell_), x1 = cellIndex(km.x() + radiusKm, cell_);
    const std::int64_t y0 = cellIndex(km.y() - radiusKm, cell_), y1 = cellIndex(km.y() + radiusKm, cell_);
    // A radius wider than the points are many: looking at each is cheaper.
    if ((x1 - x0 + 1) * (y1 - y0 + 1) > static_cast<std::int64_t>(sorted_.size())) {
        for (std::size_t i = 0; i < points_.size(); ++i)
            consider(static_cast<int>(i));
        return best;
    }
    for (std::int64_t cx = x0; cx <= x1; ++cx) {
        for (std::int64_t cy = y0; cy <= y1; ++cy) {
            const std::int64_t k = key(cx, cy);
            auto it = std::lower_bound(sorted_.begin(), sorted_.end(), std::make_pair(k, -1));
            for (; it != sorted_.end() && it->first == k; ++it)
                consider(it->second);
        }
    }
    return best;
}
