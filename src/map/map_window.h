// The map window, "地図 — Quillmere": a top-level window of its own beside
// the main one, with the map and a row of buttons (全体を表示, ＋, −, 人口,
// 戸数, 画像として保存). It reads chizu/ and the commandery file once, when it
// is made; nothing is read before.
#pragma once

#include "map/map_widget.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;

// Where to save the map's picture: the window asks through this, so tests
// answer without a modal dialog. An empty answer cancels.
class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    // `filters` as QFileDialog takes them ("PNG 画像 (*.png)").
    virtual QString askPath(QWidget* parent, const QString& suggested, const QStringList& filters) = 0;
};

class MapWindow : public QWidget {
    Q_OBJECT
public:
    // Reads the map of the gazetteer in `dataDir`, the directory that holds
    // syu/ and chizu/. `dialog` asks where to save; nullptr means a file
    // dialog over this window.
    explicit MapWindow(const QString& dataDir, SaveDialog* dialog = nullptr, QWidget* parent = nullptr);
    ~MapWindow() override;

    MapWidget* map() const { return map_; }
    void follow(const QString& countyFile, const QString& commandery, const QString& county) {
        map_->follow(countyFile, commandery, county);
    }

    // Writes the map as it is shown: SVG when `path` ends in .svg and the
    // program was built with Qt Svg, else PNG at the screen's pixel ratio.
    bool saveImage(const QString& path) const;
    static bool svgAvailable();

signals:
    // A click on the map chose this county (see MapWidget::countyChosen).
    void countyChosen(const QString& file, int record);

private:
    void save();
    void setCensus(mappaint::Census mode);

    MapWidget* map_ = nullptr;
    QPushButton* population_ = nullptr;
    QPushButton* households_ = nullptr;
    QLabel* status_ = nullptr;
    std::unique_ptr<SaveDialog> ownDialog_;
    SaveDialog* dialog_ = nullptr;
};
