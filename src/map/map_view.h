// Where the map stands in its widget: the kilometre point at the centre of
// the viewport and the scale in (logical) pixels per kilometre. Screen y runs
// down, map y (north) up. Pure geometry: no widget, no painting.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

class MapView {
public:
    // The scale is kept between these; fit() may go below kMinScale only to
    // show a very large extent whole.
    static constexpr double kMinScale = 0.15;  // 6.7 km a pixel: China and a margin
    static constexpr double kMaxScale = 20.0;  // 20 pixels a km: a county town

    void setViewport(QSizeF size);
    QSizeF viewport() const { return viewport_; }

    // Shows all of `km` with `margin` pixels around it, centred.
    void fit(const QRectF& km, double margin);
    // Scales by `factor`, keeping the map point under `screen` where it is.
    void zoomAbout(QPointF screen, double factor);
    // Moves the map by `delta` screen pixels (the map follows the pointer).
    void panBy(QPointF delta);
    // Moves (and, when it does not fit, zooms out) the least that brings
    // all of `km` inside the viewport with `margin` pixels to spare.
    void ensureVisible(const QRectF& km, double margin);

    double scale() const { return scale_; }
    QPointF centre() const { return centre_; }
    QPointF toScreen(QPointF km) const;
    QPointF toKm(QPointF screen) const;
    // Kilometres to screen pixels, for a painter.
    QTransform transform() const;
    // The part of the map the viewport shows.
    QRectF visibleKm() const;

private:
    QSizeF viewport_{1, 1};
    QPointF centre_;
    double scale_ = 0.25;
};
