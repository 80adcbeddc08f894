// Finding the map point under the pointer without looking at every point:
// the points sit in square cells of a fixed size in kilometres, kept sorted
// by cell, so a query looks only at the cells within its radius.
#pragma once

#include <QPointF>
#include <cstdint>
#include <functional>
#include <vector>

class HitGrid {
public:
    // `points` in kilometres; `cellKm` the side of a cell.
    void build(const std::vector<QPointF>& points, double cellKm);

    // The index of the point nearest `km`, no farther than `radiusKm`, that
    // `accept` admits (all when it is empty); -1 when there is none. Of two
    // at the same distance, the lower index.
    int nearest(QPointF km, double radiusKm, const std::function<bool(int)>& accept = {}) const;

private:
    std::int64_t cellOf(QPointF km) const;
    static std::int64_t key(std::int64_t cx, std::int64_t cy);

    double cell_ = 1;
    std::vector<QPointF> points_;
    std::vector<std::pair<std::int64_t, int>> sorted_;  // cell key, point index
};
