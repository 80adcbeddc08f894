#include "map/map_window.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#ifdef QM_HAVE_SVG
#include <QSvgGenerator>
#endif

namespace {

class FileSaveDialog : public SaveDialog {
public:
    QString askPath(QWidget* parent, const QString& suggested, const QStringList& filters) override {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("画像として保存"), suggested, filters.join(QStringLiteral(";;")));
    }
};

QPushButton* button(const QString& text, const QString& name, const QString& accessible, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAccessibleName(accessible);
    b->setAutoDefault(false);
    // A click leaves the keyboard with the map, whose arrow keys pan; Tab
    // still reaches the button.
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

}  // namespace

MapWindow::MapWindow(const QString& dataDir, SaveDialog* dialog, QWidget* parent)
    : QWidget(parent, Qt::Window), dialog_(dialog) {
    setWindowTitle(QStringLiteral("地図 — Quillmere"));
    setObjectName(QStringLiteral("MapWindow"));
    if (!dialog_) {
        ownDialog_ = std::make_unique<FileSaveDialog>();
        dialog_ = ownDialog_.get();
    }
    map_ = new MapWidget(mapmodel::load(dataDir), this);
    map_->setObjectName(QStringLiteral("map"));

    auto* all = button(QStringLiteral("全体を表示"), QStringLiteral("mapShowAll"), QStringLiteral("全体を表示"), this);
    auto* in = button(QStringLiteral("+"), QStringLiteral("mapZoomIn"), QStringLiteral("拡大"), this);
    auto* out = button(QStringLiteral("−"), QStringLiteral("mapZoomOut"), QStringLiteral("縮小"), this);
    population_ = button(QStringLiteral("人口"), QStringLiteral("mapPopulation"), QStringLiteral("人口の円"), this);
    households_ = button(QStringLiteral("戸数"), QStringLiteral("mapHouseholds"), QStringLiteral("戸数の円"), this);
    auto* save = button(QStringLiteral("画像として保存"), QStringLiteral("mapSave"), QStringLiteral("画像として保存"), this);
    population_->setCheckable(true);
    households_->setCheckable(true);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("mapStatus"));
    status_->setTextFormat(Qt::PlainText);

    auto* row = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{all, in, out, population_, households_, save})
        row->addWidget(w);
    row->addWidget(status_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(row);
    layout->addWidget(map_, 1);

    connect(all, &QPushButton::clicked, map_, &MapWidget::showAll);
    connect(in, &QPushButton::clicked, map_, &MapWidget::zoomIn);
    connect(out, &QPushButton::clicked, map_, &MapWidget::zoomOut);
    connect(population_, &QPushButton::clicked, this, [this](bool on) {
        setCensus(on ? mappaint::Census::Population : mappaint::Census::None);
    });
    connect(households_, &QPushButton::clicked, this, [this](bool on) {
        setCensus(on ? mappaint::Census::Households : mappaint::Census::None);
    });
    connect(save, &QPushButton::clicked, this, &MapWindow::save);
    connect(map_, &MapWidget::countyChosen, this, &MapWindow::countyChosen);
    map_->setFocus(Qt::OtherFocusReason);
    resize(1000, 760);
}

MapWindow::~MapWindow() = default;

void MapWindow::setCensus(mappaint::Census mode) {
    // The two figures share the map: one at a time.
    population_->setChecked(mode == mappaint::Census::Population);
    households_->setChecked(mode == mappaint::Census::Households);
    map_->setCensus(mode);
}

bool MapWindow::svgAvailable() {
#ifdef QM_HAVE_SVG
    return true;
#else
    return false;
#endif
}

bool MapWindow::saveImage(const QString& path) const {
    const QSize size = map_->size();
#ifdef QM_HAVE_SVG
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("地図 — Quillmere"));
        QPainter p;
        if (!p.begin(&svg))
            return false;
        map_->render(p);
        return p.end();
    }
#endif
    // Logical coordinates on a device of the screen's ratio: as sharp as shown.
    const qreal ratio = map_->devicePixelRatioF();
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    map_->render(p);
    p.end();
    return image.save(path, "PNG");
}

void MapWindow::save() {
    QStringList filters{QStringLiteral("PNG 画像 (*.png)")};
    if (svgAvailable())
        filters << QStringLiteral("SVG 画像 (*.svg)");
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QString path = dialog_->askPath(this, QDir(dir).filePath(QStringLiteral("quillmere-chizu.png")), filters);
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && !(suffix == QLatin1String("svg") && svgAvailable()))
        path += QStringLiteral(".png");
    status_->setText(saveImage(path) ? QStringLiteral("保存しました：") + QFileInfo(path).fileName()
                                     : QStringLiteral("保存できませんでした：") + QFileInfo(path).fileName());
}
