// Drawing the map with QPainter, in logical pixels (a painter on a 2×
// device draws the same picture twice as sharp): sea and land, lakes, the
// modern borders faint, the rivers, the census circles, every county as a
// point coloured by its province (seats larger, approximate points hollow,
// the period's places as small marks when zoomed in), the highlighted
// points, the labels, the census legend, the attribution and what is
// missing. Also lays the labels out, which the widget caches per view.
#pragma once

#include "map/label_layout.h"
#include "map/map_model.h"
#include "map/map_view.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QStaticText>
#include <vector>

class QPainter;

namespace mappaint {

enum class Census { None, Population, Households };

// Scales (pixels per kilometre) from which the marks of the period's places
// are drawn and labelled.
inline constexpr double kPlaceScale = 1.5;

// The colour of province `index` (catalogue order), thirteen in all.
QColor provinceColour(int index);

// The pen width in pixels of a river of this scalerank: the largest widest.
double riverWidth(int rank);

// Radius in pixels of a census circle of `value` people (or households):
// its area is proportional to the value.
double censusRadius(Census mode, double value);

// The text Natural Earth and GeoNames ask to be shown, drawn in a corner.
inline constexpr const char* kAttribution = "Natural Earth; GeoNames (geonames.org), CC BY 4.0";

struct State {
    Census census = Census::None;
    std::vector<int> highlighted;  // point indices
};

enum class LabelKind { Highlight, Seat, River, County, Place };

struct Label {
    QRectF rect;
    QString text;
    LabelKind kind = LabelKind::County;
    int point = -1;  // the point it names; -1 for a river
};

class Painter {
public:
    explicit Painter(const mapmodel::MapModel& model);

    // Where the labels go for `view` and `state`: highlighted points first,
    // then commandery seats (the most populous first), one label for each
    // labelled river, other counties, and the places when zoomed in; none
    // overlapping another, a seat's or highlighted marker, the legend or
    // the corner boxes.
    std::vector<Label> layoutLabels(const MapView& view, const State& state) const;

    void paint(QPainter& p, const MapView& view, const State& state, const std::vector<Label>& labels) const;

    // The boxes in the corners, which labels keep clear of.
    QRectF attributionBox(const MapView& view) const;
    QRectF problemsBox(const MapView& view, const State& state) const;
    QRectF legendBox(const MapView& view, const State& state) const;

    // A point's marker radius in pixels.
    static double markerRadius(const mapmodel::Point& p);
    // Whether point `i` is drawn at this scale (places only when zoomed in).
    bool drawn(int i, const MapView& view) const;

private:
    QSizeF textSize(const QString& text, LabelKind kind) const;
    const QFont& fontFor(LabelKind kind) const;
    const QStaticText& staticText(const QString& text, LabelKind kind) const;
    QString labelText(int point) const;

    void paintBase(QPainter& p, const MapView& view) const;
    void paintCensus(QPainter& p, const MapView& view, Census mode) const;
    void paintPoints(QPainter& p, const MapView& view, const State& state) const;
    void paintLabels(QPainter& p, const std::vector<Label>& labels) const;
    // A filled box, its font and text colour set for what is written in it.
    static void panel(QPainter& p, const QRectF& box, const QColor& fill, const QFont& font, const QColor& text);
    void paintLegend(QPainter& p, const MapView& view, const State& state) const;
    void paintCorners(QPainter& p, const MapView& view, const State& state) const;

    const mapmodel::MapModel& model_;
    std::vector<int> seatsByPopulation_;  // seat points, most populous first
    QFont seatFont_, countyFont_, riverFont_, placeFont_, smallFont_;
    mutable QHash<QString, QSizeF> sizes_[5];
    mutable QHash<QString, QStaticText> texts_[5];
    QStaticText attribution_, notToday_;
};

}  // namespace mappaint
