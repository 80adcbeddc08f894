#include "map/map_view.h"

#include <algorithm>
#include <cmath>

void MapView::setViewport(QSizeF size) {
    viewport_ = QSizeF(std::max(1.0, size.width()), std::max(1.0, size.height()));
}

void MapView::fit(const QRectF& km, double margin) {
    const QRectF r = km.normalized();
    if (!std::isfinite(r.width()) || !std::isfinite(r.height()))
        return;
    centre_ = r.center();
    const double w = std::max(1.0, viewport_.width() - 2 * margin);
    const double h = std::max(1.0, viewport_.height() - 2 * margin);
    const double sx = r.width() > 0 ? w / r.width() : kMaxScale;
    const double sy = r.height() > 0 ? h / r.height() : kMaxScale;
    scale_ = std::clamp(std::min(sx, sy), 1e-4, kMaxScale);
}

void MapView::zoomAbout(QPointF screen, double factor) {
    if (!std::isfinite(factor) || factor <= 0)
        return;
    const QPointF fixed = toKm(screen);
    scale_ = std::clamp(scale_ * factor, std::min(kMinScale, scale_), kMaxScale);
    // Keep `fixed` under `screen`.
    const QPointF offset = screen - QPointF(viewport_.width() / 2, viewport_.height() / 2);
    centre_ = QPointF(fixed.x() - offset.x() / scale_, fixed.y() + offset.y() / scale_);
}

void MapView::panBy(QPointF delta) {
    centre_ -= QPointF(delta.x() / scale_, -delta.y() / scale_);
}

void MapView::ensureVisible(const QRectF& km, double margin) {
    const QRectF r = km.normalized();
    const double w = std::max(1.0, viewport_.width() - 2 * margin);
    const double h = std::max(1.0, viewport_.height() - 2 * margin);
    if (r.width() * scale_ > w || r.height() * scale_ > h) {
        fit(r, margin);
        return;
    }
    const QRectF inner = visibleKm().adjusted(margin / scale_, margin / scale_, -margin / scale_, -margin / scale_);
    double dx = 0, dy = 0;
    if (r.left() < inner.left())
        dx = r.left() - inner.left();
    else if (r.right() > inner.right())
        dx = r.right() - inner.right();
    if (r.top() < inner.top())
        dy = r.top() - inner.top();
    else if (r.bottom() > inner.bottom())
        dy = r.bottom() - inner.bottom();
    centre_ += QPointF(dx, dy);
}

QPointF MapView::toScreen(QPointF km) const {
    return {(km.x() - centre_.x()) * scale_ + viewport_.width() / 2,
            (centre_.y() - km.y()) * scale_ + viewport_.height() / 2};
}

QPointF MapView::toKm(QPointF screen) const {
    return {centre_.x() + (screen.x() - viewport_.width() / 2) / scale_,
            centre_.y() - (screen.y() - viewport_.height() / 2) / scale_};
}

QTransform MapView::transform() const {
    return QTransform(scale_, 0, 0, -scale_, viewport_.width() / 2 - centre_.x() * scale_,
                      viewport_.height() / 2 + centre_.y() * scale_);
}

QRectF MapView::visibleKm() const {
    const double w = viewport_.width() / scale_, h = viewport_.height() / scale_;
    return {centre_.x() - w / 2, centre_.y() - h / 2, w, h};
}
