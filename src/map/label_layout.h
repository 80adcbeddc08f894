// Placing labels so that none overlaps another: candidates are taken in the
// order given (the caller's priority), each at the first of eight positions
// around its anchor that is free; a label no position fits is left out.
// Placed rectangles are kept in a grid of screen cells, so each test looks
// only at its neighbours.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

namespace maplabels {

struct Candidate {
    QPointF anchor;   // the point labelled, in screen pixels
    QSizeF size;      // the text's box
    double gap = 0;   // space between the anchor and the box (the marker's radius and a little)
    int id = 0;       // the caller's, handed back
};

struct Placed {
    int id = 0;
    QRectF rect;
};

// Places `candidates` in order. A label must lie inside `area`, overlap no
// label placed before it and none of `obstacles` (markers to keep clear).
// Positions tried: right, left, above, below, then the four diagonals.
std::vector<Placed> place(const std::vector<Candidate>& candidates, const std::vector<QRectF>& obstacles,
                          const QRectF& area);

}  // namespace maplabels
