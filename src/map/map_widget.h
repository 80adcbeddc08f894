// The map itself: draws a MapModel (map_painter.h), zooms with the wheel
// about the pointer and with + and −, pans by dragging and with the arrow
// keys, tells in a tooltip what lies under the pointer, follows what the main
// window shows and says which county a click chose.
#pragma once

#include "map/hit_grid.h"
#include "map/map_model.h"
#include "map/map_painter.h"
#include "map/map_view.h"

#include <QWidget>
#include <memory>
#include <optional>

class MapWidget : public QWidget {
    Q_OBJECT
public:
    explicit MapWidget(mapmodel::MapModel model, QWidget* parent = nullptr);
    ~MapWidget() override;

    const mapmodel::MapModel& model() const { return model_; }
    const MapView& view() const { return view_; }

    // Highlights what the main window shows and keeps it in view: the county
    // `county` (a stored name) of commandery `commandery` in the province
    // whose county file is `countyFile`; without a county, the commandery
    // and all its counties; without either, the province's commandery
    // seats. Any may be empty; all empty clears the highlight. A county
    // named in a file or commandery the map does not have it in is looked
    // for by the parts that are given.
    void follow(const QString& countyFile, const QString& commandery, const QString& county);

    void showAll();
    void zoomIn();
    void zoomOut();
    void setCensus(mappaint::Census mode);
    mappaint::Census census() const { return state_.census; }

    // The point under `pos` (widget pixels), as a click or the tooltip would
    // find it; -1 for none.
    int pointAt(QPointF pos) const;
    // What the tooltip says of point `i`: name, reading, commandery・province,
    // modern location, precision, source.
    QString describe(int i) const;
    // Where point `i` is drawn, in widget pixels.
    QPointF screenPos(int i) const { return view_.toScreen(model_.points[static_cast<std::size_t>(i)].km); }
    const std::vector<int>& highlighted() const { return state_.highlighted; }
    // The labels as the next paint draws them.
    const std::vector<mappaint::Label>& labels() const;

    // The whole map at this widget's size, as it is drawn now.
    void render(QPainter& painter) const;
    QSize sizeHint() const override { return {960, 720}; }

signals:
    // A click chose the county whose record is record `record` of `file`
    // (a place of the period chooses its county).
    void countyChosen(const QString& file, int record);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void changed();              // the view or the state moved: labels again
    void highlight(std::vector<int> points);
    void keepHighlightInView();
    void describeChoice();

    mapmodel::MapModel model_;
    std::unique_ptr<mappaint::Painter> painter_;
    MapView view_;
    HitGrid grid_;
    mappaint::State state_;
    mutable std::optional<std::vector<mappaint::Label>> labels_;
    bool moved_ = false;  // zoomed or panned since everything was shown
    std::optional<QPointF> pressAt_;
    QPointF lastDrag_;
    bool dragging_ = false;
};
