#include "map/map_widget.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kFitMargin = 24;    // pixels around everything when all is shown
constexpr double kFollowMargin = 48; // around what follow() keeps in view
constexpr double kHitSlop = 4;       // pixels beyond a marker that still hit it
constexpr double kGridCellKm = 25;
constexpr double kStep = 1.25;       // zoom a wheel notch or a key press
constexpr double kPan = 80;          // pixels an arrow key pans

}  // namespace

MapWidget::MapWidget(mapmodel::MapModel model, QWidget* parent)
    : QWidget(parent), model_(std::move(model)) {
    painter_ = std::make_unique<mappaint::Painter>(model_);
    std::vector<QPointF> km;
    km.reserve(model_.points.size());
    for (const mapmodel::Point& p : model_.points)
        km.push_back(p.km);
    grid_.build(km, kGridCellKm);
    setAccessibleName(QStringLiteral("地図"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::OpenHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    view_.setViewport(size());
}

MapWidget::~MapWidget() = default;

void MapWidget::changed() {
    labels_.reset();
    update();
}

const std::vector<mappaint::Label>& MapWidget::labels() const {
    if (!labels_)
        labels_ = painter_->layoutLabels(view_, state_);
    return *labels_;
}

void MapWidget::showAll() {
    view_.fit(model_.extent(), kFitMargin);
    moved_ = false;
    changed();
}

void MapWidget::zoomIn() {
    view_.zoomAbout(QPointF(width() / 2.0, height() / 2.0), kStep);
    moved_ = true;
    changed();
}

void MapWidget::zoomOut() {
    view_.zoomAbout(QPointF(width() / 2.0, height() / 2.0), 1 / kStep);
    moved_ = true;
    changed();
}

void MapWidget::setCensus(mappaint::Census mode) {
    state_.census = mode;
    changed();
}

void MapWidget::keepHighlightInView() {
    if (state_.highlighted.empty())
        return;
    QPointF lo = model_.points[static_cast<std::size_t>(state_.highlighted.front())].km, hi = lo;
    for (int i : state_.highlighted) {
        const QPointF& p = model_.points[static_cast<std::size_t>(i)].km;
        lo = QPointF(std::min(lo.x(), p.x()), std::min(lo.y(), p.y()));
        hi = QPointF(std::max(hi.x(), p.x()), std::max(hi.y(), p.y()));
    }
    view_.ensureVisible(QRectF(lo, hi), kFollowMargin);
}

void MapWidget::highlight(std::vector<int> points) {
    state_.highlighted = std::move(points);
    keepHighlightInView();
    describeChoice();
    changed();
}

void MapWidget::follow(const QString& countyFile, const QString& commandery, const QString& county) {
    const auto select = [&](bool useFile, bool useCommandery) {
        std::vector<int> out;
        for (std::size_t i = 0; i < model_.points.size(); ++i) {
            const mapmodel::Point& p = model_.points[i];
            const locations::Location& l = model_.locations[static_cast<std::size_t>(p.location)];
            if (p.place || (useFile && !countyFile.isEmpty() && l.place.file != countyFile) ||
                (useCommandery && !commandery.isEmpty() && l.commandery != commandery))
                continue;
            if (!county.isEmpty() ? l.name == county : !commandery.isEmpty() || p.seat)
                out.push_back(static_cast<int>(i));
        }
        return out;
    };
    if (countyFile.isEmpty() && commandery.isEmpty() && county.isEmpty()) {
        highlight({});
        return;
    }
    std::vector<int> found = select(true, true);
    // A county the main window found by a search may be shown with another
    // commandery or province than the map files it under.
    if (found.empty() && !county.isEmpty())
        found = select(true, false);
    if (found.empty() && !county.isEmpty())
        found = select(false, false);
    highlight(std::move(found));
}

int MapWidget::pointAt(QPointF pos) const {
    // The largest marker and the slop bound the search; each point then
    // must lie within its own marker's reach.
    const double reach = (4.5 + kHitSlop) / view_.scale();
    const QPointF km = view_.toKm(pos);
    return grid_.nearest(km, reach, [&](int i) {
        if (!painter_->drawn(i, view_))
            return false;
        const QPointF s = view_.toScreen(model_.points[static_cast<std::size_t>(i)].km);
        return std::hypot(s.x() - pos.x(), s.y() - pos.y()) <=
               mappaint::Painter::markerRadius(model_.points[static_cast<std::size_t>(i)]) + kHitSlop;
    });
}

QString MapWidget::describe(int i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= model_.points.size())
        return {};
    const mapmodel::Point& p = model_.points[static_cast<std::size_t>(i)];
    const locations::Location& l = model_.locations[static_cast<std::size_t>(p.location)];
    const QString where = l.commanderyShown + QStringLiteral("・") + mapmodel::provinceName(p.province);
    QStringList lines;
    if (p.place) {
        lines << l.placeName;
        lines << QStringLiteral("%1（%2）の地・%3").arg(l.shown, l.reading, where);
    } else {
        lines << QStringLiteral("%1（%2）%3").arg(l.shown, l.reading, p.seat ? QStringLiteral(" 郡治") : QString());
        lines << where;
    }
    lines << QStringLiteral("今の位置：") + (l.modern.isEmpty() ? QStringLiteral("未詳") : l.modern);
    lines << QStringLiteral("位置の確かさ：") + locations::precisionShown(l.precision);
    if (!l.source.isEmpty())
        lines << QStringLiteral("出典：") + l.source;
    if (!l.note.isEmpty())
        lines << l.note;
    return lines.join(u'\n');
}

void MapWidget::describeChoice() {
    QString text;
    if (!state_.highlighted.empty()) {
        // One county, or the seat of the commandery or province shown.
        int first = state_.highlighted.front();
        for (int i : state_.highlighted)
            if (model_.points[static_cast<std::size_t>(i)].seat) {
                first = i;
                break;
            }
        const mapmodel::Point& p = model_.points[static_cast<std::size_t>(first)];
        const locations::Location& l = model_.locations[static_cast<std::size_t>(p.location)];
        text = QStringLiteral("%1（%2・%3）：今の%4").arg(l.shown, l.commanderyShown, mapmodel::provinceName(p.province),
                                                       l.modern.isEmpty() ? QStringLiteral("位置は未詳") : l.modern);
        if (state_.highlighted.size() > 1)
            text += QStringLiteral("。ほか %1 か所").arg(state_.highlighted.size() - 1);
    }
    setAccessibleDescription(text);
}

void MapWidget::render(QPainter& painter) const {
    painter_->paint(painter, view_, state_, labels());
}

void MapWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    render(p);
}

void MapWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    view_.setViewport(size());
    // Until the user moves the map, every size shows everything (the
    // window's first sizes come before it is shown); then it keeps the centre.
    if (!moved_) {
        view_.fit(model_.extent(), kFitMargin);
        keepHighlightInView();
    }
    changed();
}

void MapWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pressAt_ = event->position();
    lastDrag_ = event->position();
    dragging_ = false;
}

void MapWidget::mouseMoveEvent(QMouseEvent* event) {
    if (pressAt_ && (event->buttons() & Qt::LeftButton)) {
        if (!dragging_ && (event->position() - *pressAt_).manhattanLength() >= QApplication::startDragDistance()) {
            dragging_ = true;
            setCursor(Qt::ClosedHandCursor);
        }
        if (dragging_) {
            view_.panBy(event->position() - lastDrag_);
            lastDrag_ = event->position();
            moved_ = true;
            changed();
        }
        return;
    }
    setCursor(pointAt(event->position()) >= 0 ? Qt::PointingHandCursor : Qt::OpenHandCursor);
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressAt_)
        return QWidget::mouseReleaseEvent(event);
    const bool click = !dragging_;
    pressAt_.reset();
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
    if (!click)
        return;
    const int i = pointAt(event->position());
    if (i < 0)
        return;
    const locations::Location& l =
        model_.locations[static_cast<std::size_t>(model_.points[static_cast<std::size_t>(i)].location)];
    // A place chooses its county: the county's own point is what is shown.
    const std::vector<int> chosen{i};
    highlight(chosen);
    emit countyChosen(l.place.file, l.place.record);
}

void MapWidget::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0)
        return;
    view_.zoomAbout(event->position(), std::pow(kStep, notches));
    moved_ = true;
    changed();
    event->accept();
}

void MapWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left: view_.panBy({kPan, 0}); break;
    case Qt::Key_Right: view_.panBy({-kPan, 0}); break;
    case Qt::Key_Up: view_.panBy({0, kPan}); break;
    case Qt::Key_Down: view_.panBy({0, -kPan}); break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: zoomIn(); return;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: zoomOut(); return;
    default: return QWidget::keyPressEvent(event);
    }
    moved_ = true;
    changed();
}

bool MapWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = describe(pointAt(help->pos()));
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}
