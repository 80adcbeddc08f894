// The map window's costs: opening it (reading chizu/ and the commandery
// file, projecting, building the hit grid and the painter) and a full
// repaint of the whole map, every point, river and label, into an image at
// 1× and 2× device pixel ratio, beside a floor: the same land, lakes,
// borders, rivers (the copies of the lines the scale draws) and points
// drawn by plain QPainter calls, without labels or hit testing. Medians of CPU time. Prints a table; times nothing else.
//
//   qm_map_bench [GAZETTEER_DIR]   (default: the build's gazetteer)
//
// "real" is the compiled gazetteer as it is; "spread" moves each county to
// a random point near where it stands (σ 2°), as the researched table will
// spread them, so the labels have to compete for room.
#include "map/map_widget.h"
#include "map/map_window.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double median(int runs, const std::function<void()>& f) {
    std::vector<double> ms;
    f();  // warm: fonts, glyph caches, static texts
    for (int i = 0; i < runs; ++i) {
        const double t0 = cpuMs();
        f();
        ms.push_back(cpuMs() - t0);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// The floor: what any drawing of this map must do.
void paintFloor(QPainter& p, const mapmodel::MapModel& m, const MapView& view) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(QRectF(QPointF(0, 0), view.viewport()), QColor(0xd6, 0xe6, 0xf0));
    p.save();
    p.setTransform(view.transform(), true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf5, 0xf1, 0xe6));
    p.drawPath(m.land);
    p.setBrush(QColor(0xd6, 0xe6, 0xf0));
    p.drawPath(m.lakes);
    p.setBrush(Qt::NoBrush);
    QPen pen(QColor(0xc9, 0xb3, 0xbe), 1.0);
    pen.setCosmetic(true);
    p.setPen(pen);
    for (const mapmodel::Line& l : m.borders)
        p.drawPolyline(l.at(view.scale()));
    pen.setColor(QColor(0x5b, 0x93, 0xc7));
    for (const mapmodel::Line& l : m.rivers) {
        pen.setWidthF(mappaint::riverWidth(l.rank));
        p.setPen(pen);
        p.drawPolyline(l.at(view.scale()));
    }
    p.restore();
    p.setPen(Qt::NoPen);
    for (const mapmodel::Point& pt : m.points) {
        if (pt.place)
            continue;
        p.setBrush(mappaint::provinceColour(pt.province));
        p.drawEllipse(view.toScreen(pt.km), 3.0, 3.0);
    }
}

mapmodel::MapModel spread(const QString& dir) {
    mapmodel::MapModel m = mapmodel::load(dir);
    QRandomGenerator rng(20261209);
    std::vector<locations::Location> locs = m.locations;
    for (locations::Location& l : locs) {
        // Box-Muller, σ 2°.
        const double u = std::max(1e-12, rng.generateDouble()), v = rng.generateDouble();
        const double r = 2.0 * std::sqrt(-2 * std::log(u));
        l.lat = std::clamp(l.lat + r * std::cos(6.283185307 * v), 15.0, 43.0);
        l.lon = std::clamp(l.lon + r * std::sin(6.283185307 * v), 97.0, 132.0);
    }
    mapfile::Report none;
    basemap::BaseMap base = basemap::read(QDir(dir).filePath(basemap::kFile), none);
    return mapmodel::build(base, std::move(locs), census::read(QDir(dir).filePath(QStringLiteral("syu/州郡.txt")), none));
}

struct Row {
    const char* what;
    const char* data;
    double one, two, floor1, floor2;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(QM_GAZETTEER_DIR);
    if (!QFileInfo::exists(QDir(dir).filePath(basemap::kFile))) {
        std::fprintf(stderr, "qm_map_bench: no %s under %s; build the gazetteer first\n",
                     qPrintable(basemap::kFile), qPrintable(dir));
        return 2;
    }
    const QSize size(1000, 700);
    const int runs = 41;
    std::vector<Row> rows;

    const double open = median(15, [&] { MapWindow w(dir); });
    const double read = median(15, [&] { const mapmodel::MapModel m = mapmodel::load(dir); });

    for (const bool spreadOut : {false, true}) {
        MapWidget map(spreadOut ? spread(dir) : mapmodel::load(dir));
        map.resize(size);
        map.showAll();
        const char* data = spreadOut ? "spread" : "real";
        QImage one(size, QImage::Format_ARGB32_Premultiplied), two(size * 2, QImage::Format_ARGB32_Premultiplied);
        two.setDevicePixelRatio(2);
        const auto paint = [&](QImage& image, bool relayout) {
            if (relayout)
                map.setCensus(map.census());  // drops the cached labels, as a zoom or a pan does
            QPainter p(&image);
            map.render(p);
        };
        const auto floor = [&](QImage& image) {
            QPainter p(&image);
            paintFloor(p, map.model(), map.view());
        };
        const double f1 = median(runs, [&] { floor(one); }), f2 = median(runs, [&] { floor(two); });
        rows.push_back({"repaint", data, median(runs, [&] { paint(one, false); }), median(runs, [&] { paint(two, false); }), f1, f2});
        rows.push_back({"repaint, labels anew", data, median(runs, [&] { paint(one, true); }),
                        median(runs, [&] { paint(two, true); }), f1, f2});
        map.setCensus(mappaint::Census::Population);
        rows.push_back({"repaint, census", data, median(runs, [&] { paint(one, true); }),
                        median(runs, [&] { paint(two, true); }), f1, f2});
        map.setCensus(mappaint::Census::None);
        std::printf("%-6s: %zu points, %zu labels on the whole map\n", data, map.model().points.size(), map.labels().size());
        // A hover: the hit test of one mouse move, in microseconds.
        QRandomGenerator rng(7);
        std::vector<QPointF> at;
        for (int i = 0; i < 1000; ++i)
            at.emplace_back(rng.bounded(1000.0), rng.bounded(700.0));
        const double hover = median(15, [&] {
            for (const QPointF& p : at)
                (void)map.pointAt(p);
        });
        std::printf("%-6s: hit test of a mouse move %.2f µs\n", data, hover);
    }

    std::printf("\nopen the map window (read, project, build): %.3f ms; of it reading and building the model: %.3f ms\n",
                open, read);
    std::printf("%dx%d logical pixels, the whole map shown; CPU ms, medians of %d\n\n", size.width(), size.height(), runs);
    std::printf("| %-22s | %-6s | %8s | %8s | %5s | %8s | %8s | %5s |\n", "operation", "data", "floor 1x", "1x", "ratio",
                "floor 2x", "2x", "ratio");
    std::printf("|------------------------|--------|----------|----------|-------|----------|----------|-------|\n");
    bool ok = true;
    for (const Row& r : rows) {
        std::printf("| %-22s | %-6s | %8.3f | %8.3f | %5.2f | %8.3f | %8.3f | %5.2f |\n", r.what, r.data, r.floor1, r.one,
                    r.one / r.floor1, r.floor2, r.two, r.two / r.floor2);
        if (std::string(r.what) == "repaint")
            ok = ok && r.one < 16 && r.one / r.floor1 <= 1.5;
    }
    std::printf("\ntarget (repaint): within 1.5x the floor and under 16 ms at 1x: %s\n", ok ? "met" : "NOT met");
    return 0;
}
