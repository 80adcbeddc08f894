#include "map/label_layout.h"

#include <cmath>
#include <unordered_map>

namespace maplabels {
namespace {

constexpr double kCell = 48;  // screen pixels: a few labels a cell

class Occupied {
public:
    explicit Occupied(const QRectF& area) : origin_(area.topLeft()) {}

    bool free(const QRectF& r) const {
        bool clear = true;
        forCells(r, [&](long long key) {
            const auto it = cells_.find(key);
            if (it == cells_.end())
                return;
            for (int i : it->second)
                if (rects_[static_cast<std::size_t>(i)].intersects(r))
                    clear = false;
        });
        return clear;
    }

    void add(const QRectF& r) {
        const int i = static_cast<int>(rects_.size());
        rects_.push_back(r);
        forCells(r, [&](long long key) { cells_[key].push_back(i); });
    }

private:
    template <class F>
    void forCells(const QRectF& r, F&& f) const {
        const long long x0 = cell(r.left() - origin_.x()), x1 = cell(r.right() - origin_.x());
        const long long y0 = cell(r.top() - origin_.y()), y1 = cell(r.bottom() - origin_.y());
        for (long long x = x0; x <= x1; ++x)
            for (long long y = y0; y <= y1; ++y)
                f(x * 1'000'003 + y);
    }
    // Rects are clipped to the area first, so the cell numbers stay small.
    static long long cell(double v) { return static_cast<long long>(std::floor(v / kCell)); }

    QPointF origin_;
    std::vector<QRectF> rects_;
    std::unordered_map<long long, std::vector<int>> cells_;
};

}  // namespace

std::vector<Placed> place(const std::vector<Candidate>& candidates, const std::vector<QRectF>& obstacles,
                          const QRectF& area) {
    std::vector<Placed> out;
    Occupied taken(area);
    for (const QRectF& o : obstacles) {
        const QRectF clipped = o.intersected(area);
        if (!clipped.isEmpty())
            taken.add(clipped);
    }
    for (const Candidate& c : candidates) {
        const double w = c.size.width(), h = c.size.height(), g = c.gap;
        if (!(w > 0) || !(h > 0) || !std::isfinite(c.anchor.x()) || !std::isfinite(c.anchor.y()))
            continue;
        const double x = c.anchor.x(), y = c.anchor.y();
        const QRectF tries[] = {
            {x + g, y - h / 2, w, h},     {x - g - w, y - h / 2, w, h},  // right, left
            {x - w / 2, y - g - h, w, h}, {x - w / 2, y + g, w, h},      // above, below
            {x + g * 0.7, y - g * 0.7 - h, w, h}, {x - g * 0.7 - w, y - g * 0.7 - h, w, h},
            {x + g * 0.7, y + g * 0.7, w, h},     {x - g * 0.7 - w, y + g * 0.7, w, h},
        };
        for (const QRectF& r : tries) {
            if (area.contains(r) && taken.free(r)) {
                taken.add(r);
                out.push_back({c.id, r});
                break;
            }
        }
    }
    return out;
}

}  // namespace maplabels
