// The map: the projection against values worked out apart from the code,
// labels that never overlap, the hit grid against a plain scan, hostile map
// files, the compiler's and the lint's faults, and the window's clicks,
// following and pictures.
#include "data/base_map.h"
#include "data/map_locations.h"
#include "data/record_writer.h"
#include "lint.h"
#include "locations_lint.h"
#include "map/hit_grid.h"
#include "map/label_layout.h"
#include "map/map_window.h"
#include "map/projection.h"
#include "map_output.h"
#include "support/menu_titles.h"
#include "support/memory_controls.h"
#include "windows.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString kSili = QStringLiteral("syu/司隸.txt"), kYu = QStringLiteral("syu/豫州.txt");

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// --------------------------------------------------------------- projection

TEST(MapProjection, MatchesTheFormulaWorkedApart) {
    // Worked out in Python from the spherical formulas (R 6371 km, φ1 25°,
    // φ2 47°, λ0 110°E, φ0 0), not from this code.
    const struct { double lon, lat, x, y; } cases[] = {
        {110, 0, 0, 0},          {110, 25, 0, 2626.241},         {110, 47, 0, 5103.035},
        {112.45, 34.62, 220.202, 3710.277}, {104.06, 30.67, -560.292, 3278.066},
        {126.6, 37.5, 1430.922, 4153.618},  {100, 15, -1115.836, 1590.593},
        {132, 43, 1753.138, 4850.285},      {97, 43, -1041.488, 4723.556},
    };
    for (const auto& c : cases) {
        const QPointF p = mapproj::project(c.lon, c.lat);
        EXPECT_NEAR(p.x(), c.x, 0.01) << c.lon << "," << c.lat;
        EXPECT_NEAR(p.y(), c.y, 0.01) << c.lon << "," << c.lat;
        const QPointF back = mapproj::unproject(p);
        EXPECT_NEAR(back.x(), c.lon, 1e-9);
        EXPECT_NEAR(back.y(), c.lat, 1e-9);
    }
    // Equal-area: a small cell keeps its area on the sphere (R² cos φ dλ dφ);
    // along a standard parallel the east-west scale is true.
    constexpr double kRad = 3.14159265358979323846 / 180, d = 1e-4;
    for (const double lat : {15.0, 25.0, 35.0, 47.0}) {
        const QPointF o = mapproj::project(115, lat), e = mapproj::project(115 + d, lat),
                      n = mapproj::project(115, lat + d);
        const double projected = std::fabs((e - o).x() * (n - o).y() - (e - o).y() * (n - o).x());
        const double sphere = std::pow(mapproj::kEarthRadiusKm * d * kRad, 2) * std::cos(lat * kRad);
        EXPECT_NEAR(projected / sphere, 1.0, 1e-4) << lat;
        if (lat == 25.0 || lat == 47.0) {
            EXPECT_NEAR(std::hypot((e - o).x(), (e - o).y()) / (mapproj::kEarthRadiusKm * d * kRad * std::cos(lat * kRad)),
                        1.0, 1e-4) << lat;
        }
    }
}

// -------------------------------------------------------- labels, hit grid

TEST(MapGeometry, LabelsNeverOverlapAndTheGridFindsWhatAScanFinds) {
    QRandomGenerator rng(20261209);
    const QRectF area(0, 0, 800, 600);
    for (const int count : {10, 300, 3000}) {
        std::vector<maplabels::Candidate> cands;
        for (int i = 0; i < count; ++i)
            cands.push_back({QPointF(rng.bounded(800.0), rng.bounded(600.0)),
                             QSizeF(10 + rng.bounded(60.0), 12 + rng.bounded(4.0)), 4, i});
        const std::vector<QRectF> obstacles{{300, 200, 100, 100}, {700, 560, 100, 40}};
        const auto placed = maplabels::place(cands, obstacles, area);
        EXPECT_FALSE(placed.empty());
        for (std::size_t i = 0; i < placed.size(); ++i) {
            EXPECT_TRUE(area.contains(placed[i].rect));
            for (const QRectF& o : obstacles)
                EXPECT_FALSE(placed[i].rect.intersects(o));
            for (std::size_t j = i + 1; j < placed.size(); ++j)
                ASSERT_FALSE(placed[i].rect.intersects(placed[j].rect)) << count << ": " << i << " " << j;
        }
    }
    // The grid against a scan of every point, with cells finer and coarser
    // than the radius.
    std::vector<QPointF> pts;
    for (int i = 0; i < 2000; ++i)
        pts.emplace_back(rng.bounded(4000.0) - 2000, rng.bounded(3000.0));
    for (const double cell : {5.0, 25.0, 400.0}) {
        HitGrid grid;
        grid.build(pts, cell);
        for (int q = 0; q < 300; ++q) {
            const QPointF at(rng.bounded(4200.0) - 2100, rng.bounded(3200.0) - 100);
            const double radius = q % 3 == 0 ? 200.0 : 30.0;
            int want = -1;
            double best = radius;
            for (std::size_t i = 0; i < pts.size(); ++i) {
                const double d = std::hypot(pts[i].x() - at.x(), pts[i].y() - at.y());
                if (d <= best && (want < 0 || d < best))
                    want = static_cast<int>(i), best = d;
            }
            ASSERT_EQ(grid.nearest(at, radius), want) << cell << " " << q;
        }
    }
}

// ----------------------------------------------------------- hostile files

basemap::Feature feature(basemap::Layer layer, std::vector<basemap::GeoPoint> pts, QString label = {}) {
    basemap::Feature f;
    f.layer = layer;
    f.points = std::move(pts);
    f.label = std::move(label);
    return f;
}

QByteArray goodBaseMap() {
    basemap::BaseMap m;
    m.features.push_back(feature(basemap::Layer::Land, {{110, 30}, {115, 30}, {115, 35}, {110, 30}}));
    m.features.push_back(feature(basemap::Layer::River, {{111, 31}, {112.5, 33.25}}, QStringLiteral("河（黄河）")));
    m.features.push_back(feature(basemap::Layer::Border, {{100, 20}, {101, 21}, {102, 21}}));
    QByteArray bytes;
    EXPECT_TRUE(basemap::encode(m, bytes));
    return bytes;
}

// A county file with these counties (name, commandery) at records 1, 2 …
void writeCounties(const QString& dir, const QString& file, const std::vector<std::pair<const char*, const char*>>& recs) {
    std::vector<kenrec> out;
    for (const auto& [name, commandery] : recs) {
        kenrec r{};
        QString error;
        ASSERT_TRUE(recwrite::makeKenrec({"", commandery, name, QStringLiteral("よみ"), "", "", "", ""}, r, &error));
        out.push_back(r);
    }
    QDir(dir).mkpath(QStringLiteral("syu"));
    ASSERT_TRUE(recwrite::writeRecords(QDir(dir).filePath(file), out));
}

locations::Location loc(const QString& file, int record, const QString& name, const QString& commandery,
                        bool seat, double lat, double lon, const QString& place = {},
                        locations::Precision precision = locations::Precision::Site) {
    locations::Location l;
    l.place = {file, record};
    l.name = l.shown = name;
    l.reading = QStringLiteral("よみ");
    l.commandery = l.commanderyShown = commandery;
    l.seat = seat;
    l.placeName = place;
    l.lat = lat;
    l.lon = lon;
    l.precision = precision;
    l.modern = QStringLiteral("今の") + name;
    l.source = QStringLiteral("出典");
    return l;
}

TEST(MapFiles, HostileFilesNeverCrashAndSayWhatTheySkipped) {
    const QByteArray good = goodBaseMap();
    QByteArray hugeCount = good, openRing = good, offGlobe = good, badLabel = good, badLayer = good;
    hugeCount[8] = hugeCount[9] = hugeCount[10] = hugeCount[11] = char(0xff);
    openRing[12 + 8 + 12] = char(0x10);                         // the land ring's last longitude
    offGlobe[12 + 8 + 4 * 4 + 8 + 18] = char(0x7f);             // the river's first latitude, high byte
    badLabel[12 + 8 + 4 * 4 + 8] = char(0xff);                  // the river label's first byte
    badLayer[12] = 9;
    QByteArray hugePoints = good;
    hugePoints[12 + 4] = hugePoints[12 + 5] = hugePoints[12 + 6] = char(0xff);
    const struct { const char* what; QByteArray bytes; bool missing; std::size_t kept; int skipped; } bases[] = {
        {"valid", good, false, 3, 0},
        {"empty", {}, true, 0, 0},
        {"not the format", "GIF89a....", true, 0, 0},
        {"truncated", good.left(good.size() - 3), false, 2, 1},
        {"a count of 4 billion features", hugeCount, false, 3, 1},
        {"a point count past the end", hugePoints, false, 0, 1},
        {"a ring left open", openRing, false, 2, 1},
        {"a point off the globe", offGlobe, false, 2, 1},
        {"a label not UTF-8", badLabel, false, 2, 1},
        {"an unknown layer", badLayer, false, 2, 1},
    };
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("kihon.bin"));
    for (const auto& c : bases) {
        SCOPED_TRACE(c.what);
        writeFile(path, c.bytes);
        mapfile::Report r;
        EXPECT_EQ(basemap::read(path, r).features.size(), c.kept);
        EXPECT_EQ(r.missing, c.missing);
        EXPECT_EQ(r.skipped, c.skipped);
    }
    // Neither a FIFO, a device nor a directory is opened as a file.
    const QString fifo = tmp.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& p : {fifo, QStringLiteral("/dev/zero"), tmp.path(), tmp.filePath(QStringLiteral("none"))}) {
        mapfile::Report r1, r2;
        EXPECT_TRUE(basemap::read(p, r1).features.empty());
        EXPECT_TRUE(locations::read(p, r2).empty());
        EXPECT_TRUE(r1.missing && r2.missing) << p.toStdString();
    }

    // ichi.tsv: one good line, then one of each fault.
    writeCounties(tmp.path(), kSili, {{"偃師", "河南尹"}, {"河南", "河南尹"}});
    const QByteArray line = locations::formatLine(loc(kSili, 1, QStringLiteral("偃師"), QStringLiteral("河南尹"), false, 34.7, 112.8));
    ASSERT_FALSE(line.isEmpty());
    const auto with = [&](int field, const QByteArray& value) {
        QList<QByteArray> f = line.chopped(1).split('\t');
        f[field] = value;
        return f.join('\t') + '\n';
    };
    const struct { const char* what; QByteArray bad; } lines[] = {
        {"too few fields", "syu/司隸.txt\t1\n"},
        {"not UTF-8", with(2, "\xff\xfe")},
        {"latitude NaN", with(7, "nan")},
        {"latitude 1e3", with(7, "1e3")},
        {"longitude off the globe", with(8, "181.5")},
        {"a file outside the catalogue", with(0, "../../etc/passwd")},
        {"record 0", with(1, "0")},
        {"unknown precision", with(9, "exact")},
        {"a line over 4 KiB", with(12, QByteArray(5000, 'x'))},
        {"the same county again", line},
        {"a stale entry: record 2 is 河南", with(1, "2")},
        {"a record past the file's end", with(1, "9")},
    };
    QByteArray ichi = locations::headerLine() + line;
    for (const auto& c : lines)
        ichi += c.bad;
    writeFile(tmp.filePath(locations::kFile), ichi);
    mapfile::Report r;
    auto entries = locations::read(tmp.filePath(locations::kFile), r);
    EXPECT_EQ(entries.size(), 3u);  // the good line, the stale one and the one past the end
    EXPECT_EQ(r.skipped, 10);
    locations::dropStale(entries, tmp.path(), r);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].shown, QStringLiteral("偃師"));
    EXPECT_EQ(r.skipped, 12);
    EXPECT_TRUE(r.details.last().contains(QStringLiteral("no record 9"))) << r.details.last().toStdString();
    // Without its header the file is refused whole.
    mapfile::Report noHeader;
    EXPECT_TRUE(locations::parse(line, noHeader).empty());
    EXPECT_TRUE(noHeader.missing);

    // A map window on nothing says so and draws what it can.
    QTemporaryDir empty;
    MapWindow window(empty.path());
    const QStringList problems = window.map()->model().problems(true);
    EXPECT_TRUE(problems.contains(QStringLiteral("基図がありません（chizu/kihon.bin）")));
    EXPECT_TRUE(problems.contains(QStringLiteral("位置データがありません（chizu/ichi.tsv）")));
    EXPECT_TRUE(problems.contains(QStringLiteral("郡の戸口データがありません（syu/州郡.txt）")));
    QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
    window.map()->resize(400, 300);
    QPainter p(&image);
    window.map()->render(p);
}

// -------------------------------------------------------- compiler, lint

TEST(MapSources, TheCompilerFailsOnEachFaultByFileAndLine) {
    const std::vector<mapout::CountyRecord> counties{
        {{kSili, 1}, QStringLiteral("■陽"), QStringLiteral("らくよう"), QStringLiteral("河南尹"), QStringLiteral("雒陽"),
         QStringLiteral("河南尹"), true},
        {{kSili, 2}, QStringLiteral("河南"), QStringLiteral("かなん"), QStringLiteral("河南尹"), QStringLiteral("河南"),
         QStringLiteral("河南尹"), false}};
    const QByteArray head = "commandery\tcounty\tplace\tlatitude\tlongitude\tprecision\tmodern\tsource\tgeonames\tnote\n";
    const std::map<QString, QByteArray> good{
        {"map/land.tsv", "feature\tpoints\n1\t110.00,30.00 115.00,30.00 115.00,35.00 110.00,30.00\n"},
        {"map/lakes.tsv", "feature\tpoints\n"},
        {"map/borders.tsv", "name\tpoints\nX\t100.00,20.00 101.00,21.00\n"},
        {"map/river_lines.tsv", "name\tname_zh\tscalerank\tpoints\nHuang\t黄河\t3\t111.00,31.00 112.50,33.25\n"},
        {"map/rivers.tsv", "name\tname_zh\tmodern\tperiod\tnote\tsource\nHuang\t黄河\t黄河\t河\t\t郡国志\n"},
        {"locations.tsv", head + "河南尹\t雒陽\t\t34.72\t112.62\tsite\t洛陽市の東\t出典\t\t\n"
                                  "河南尹\t河南\t\t34.68\t112.45\tseat\t洛陽市\t出典\t\t\n"}};
    const struct { const char* what; const char* file; QByteArray bytes; const char* at; const char* says; } bad[] = {
        {"none", "", "", "", ""},
        {"a point that is no number", "map/land.tsv", "feature\tpoints\n1\t110.00,abc 1,2 3,4 110.00,abc\n", "land.tsv:2:", "not a point"},
        {"a ring left open", "map/land.tsv", "feature\tpoints\n1\t110.00,30.00 115.00,30.00 115.00,35.00 111.00,30.00\n", "land.tsv:2:", "does not end"},
        {"a label for no line", "map/rivers.tsv", "name\tname_zh\tmodern\tperiod\tnote\tsource\nJiang\t江\t長江\t江\t\t郡国志\n", "rivers.tsv:2:", "no line"},
        {"a river without a source", "map/rivers.tsv", "name\tname_zh\tmodern\tperiod\tnote\tsource\nHuang\t黄河\t黄河\t河\t\t\n", "rivers.tsv:2:", "source"},
        {"a county that is not there", "locations.tsv", head + "河南尹\t成都\t\t30.6\t104.0\tsite\t\t出典\t\t\n", "locations.tsv:2:", "no county"},
        {"an unknown precision", "locations.tsv", head + "河南尹\t雒陽\t\t34.7\t112.6\texact\t\t出典\t\t\n", "locations.tsv:2:", "precision"},
        {"a latitude off the globe", "locations.tsv", head + "河南尹\t雒陽\t\t94.7\t112.6\tsite\t\t出典\t\t\n", "locations.tsv:2:", "degrees"},
        {"a county located twice", "locations.tsv", head + "河南尹\t雒陽\t\t34.7\t112.6\tsite\t\t出典\t\t\n河南尹\t雒陽\t\t34.7\t112.6\tsite\t\t出典\t\t\n", "locations.tsv:3:", "twice"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        for (const auto& [file, bytes] : good)
            writeFile(tmp.filePath(file), file == QLatin1String(c.file) ? c.bytes : bytes);
        mapout::Output out;
        QString error;
        const bool ok = mapout::build(tmp.path(), counties, out, &error);
        if (!*c.at) {
            ASSERT_TRUE(ok) << error.toStdString();
            mapfile::Report r1, r2;
            const basemap::BaseMap map = basemap::decode(out.baseMap, r1);
            ASSERT_EQ(map.features.size(), 3u);
            EXPECT_EQ(map.features[2].label, QStringLiteral("河（黄河）"));
            const auto entries = locations::parse(out.locations, r2);
            ASSERT_EQ(entries.size(), 2u);
            EXPECT_EQ(entries[0].name, QStringLiteral("■陽"));  // as stored, to be compared with the record
            EXPECT_EQ(entries[0].shown, QStringLiteral("雒陽"));
            EXPECT_TRUE(entries[0].seat);
            EXPECT_EQ(r1.skipped + r2.skipped, 0);
            continue;
        }
        EXPECT_FALSE(ok);
        EXPECT_TRUE(error.startsWith(QDir(tmp.path()).filePath(QStringLiteral("map/")) + QLatin1String(c.at)) ||
                    error.startsWith(tmp.filePath(QLatin1String(c.at))))
            << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(c.says))) << error.toStdString();
    }
}

TEST(MapSources, TheLintFindsEachPlantedFault) {
    const QByteArray counties = "commandery\tname\ttraditional\treading\tunit\tnote\tproducts\n"
                                "河南尹\t雒陽\t\t\t\t\t\n河南尹\t河南\t\t\t\t\t\n河南尹\t中牟\t\t\t\t\t\n";
    const QByteArray others = "commandery\tcounty\tother\treading\tkind\tyear\tnote\tsource\n"
                              "河南尹\t中牟\t官渡\tかんと\tplace\t\t戦いの地\t三国志\n";
    const QByteArray head = "commandery\tcounty\tplace\tlatitude\tlongitude\tprecision\tmodern\tsource\tgeonames\tnote\n";
    const QByteArray seat = "河南尹\t雒陽\t\t34.72\t112.62\tsite\t\t出典\t1\t\n";
    const QByteArray second = "河南尹\t河南\t\t34.68\t112.45\tseat\t\t出典\t\t\n";
    const QByteArray third = "河南尹\t中牟\t\t34.72\t114.0\tapproximate\t\t\t\t\n";
    const struct { const char* what; QByteArray rows; int line; const char* says; } cases[] = {
        {"none", seat + second + third + "河南尹\t中牟\t官渡\t34.8\t114.0\tsite\t\t出典\t\t\n", 0, ""},
        {"a county without a row", seat + second, 4, "no row"},
        {"outside the Han", seat + second + "河南尹\t中牟\t\t34.72\t140.0\tapproximate\t\t\t\t\n", 4, "outside"},
        {"far from the seat, no note", seat + second + "河南尹\t中牟\t\t30.0\t120.0\tapproximate\t\t\t\t\n", 4, "km from 雒陽"},
        {"an unknown precision", seat + second + "河南尹\t中牟\t\t34.72\t114.0\texact\t\t出典\t\t\n", 4, "unknown precision"},
        {"no source", seat + second + "河南尹\t中牟\t\t34.72\t114.0\tarea\t\t\t\t\n", 4, "no source"},
        {"a GeoNames id not shipped", seat + second + "河南尹\t中牟\t\t34.72\t114.0\tsite\t\t出典\t2\t\n", 4, "geonames 2"},
        {"a place other_names.tsv lacks", seat + second + third + "河南尹\t中牟\t烏巣\t34.8\t114.0\tsite\t\t出典\t\t\n", 5, "no place 烏巣"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        writeFile(tmp.filePath(QStringLiteral("counties.tsv")), counties);
        writeFile(tmp.filePath(QStringLiteral("other_names.tsv")), others);
        writeFile(tmp.filePath(QStringLiteral("geonames.tsv")),
                  QByteArray("geonameid\tname\tasciiname\talternatenames\tlatitude\tlongitude\tfeature class\t"
                             "feature code\tcountry code\tcc2\tadmin1 code\tadmin2 code\tadmin3 code\t"
                             "admin4 code\tpopulation\televation\tdem\ttimezone\tmodification date\n"
                             "1\tLuoyang\tLuoyang\t\t34.7\t112.6") + QByteArray(13, '\t') + "\n");
        writeFile(tmp.filePath(QStringLiteral("locations.tsv")), head + c.rows);
        const QStringList faults = lint::checkLocations(tmp.path());
        if (c.line == 0) {
            EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
            continue;
        }
        ASSERT_EQ(faults.size(), 1) << faults.join(u'\n').toStdString();
        const QString file = QString::fromLatin1(c.line == 4 && QByteArray(c.says) == "no row" ? "counties.tsv" : "locations.tsv");
        EXPECT_TRUE(faults[0].startsWith(tmp.filePath(file) + QStringLiteral(":%1:").arg(c.line))) << faults[0].toStdString();
        EXPECT_TRUE(faults[0].contains(QString::fromUtf8(c.says))) << faults[0].toStdString();
    }
}

// --------------------------------------------------------------- the window

// Two provinces: 河南尹 (雒陽 seat, 河南, 中牟 with 官渡) and 河内郡 (懐 seat,
// approximate) in 司隸; 潁川郡 (陽翟 seat, 許) in 豫州.
mapmodel::MapModel sampleModel() {
    using P = locations::Precision;
    std::vector<locations::Location> locs{
        loc(kSili, 1, QStringLiteral("雒陽"), QStringLiteral("河南尹"), true, 34.72, 112.62),
        loc(kSili, 2, QStringLiteral("河南"), QStringLiteral("河南尹"), false, 34.68, 111.5),
        loc(kSili, 3, QStringLiteral("中牟"), QStringLiteral("河南尹"), false, 34.72, 114.0),
        loc(kSili, 3, QStringLiteral("中牟"), QStringLiteral("河南尹"), false, 34.85, 114.1, QStringLiteral("官渡")),
        loc(kSili, 4, QStringLiteral("懐"), QStringLiteral("河内郡"), true, 35.1, 113.4, {}, P::Approximate),
        loc(kYu, 1, QStringLiteral("陽翟"), QStringLiteral("潁川郡"), true, 34.15, 113.47),
        loc(kYu, 2, QStringLiteral("許"), QStringLiteral("潁川郡"), false, 34.03, 113.85),
    };
    const std::vector<census::Commandery> census{{QStringLiteral("司隸校尉"), QStringLiteral("河南尹"), 208486, 1010827},
                                                 {QStringLiteral("豫州"), QStringLiteral("潁川郡"), 263440, 1436513}};
    return mapmodel::build({}, std::move(locs), census);
}

class SavedPaths : public SaveDialog {
public:
    QString answer;
    QString askPath(QWidget*, const QString&, const QStringList&) override { return answer; }
};

TEST(MapWindow, ClicksFollowingTooltipsAndPictures) {
    MapWidget map(sampleModel());
    map.resize(900, 700);
    map.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&map));
    const auto names = [&](const std::vector<int>& points) {
        QStringList out;
        for (int i : points) {
            const auto& l = map.model().locations[static_cast<std::size_t>(map.model().points[static_cast<std::size_t>(i)].location)];
            out << l.shown + (l.isPlace() ? u'/' + l.placeName : QString());
        }
        out.sort();
        return out.join(u' ');
    };
    const struct { QString file, commandery, county; const char* expected; } follows[] = {
        {kSili, QStringLiteral("河南尹"), QStringLiteral("河南"), "河南"},
        {kSili, QStringLiteral("河南尹"), {}, "中牟 河南 雒陽"},
        {kSili, {}, {}, "懐 雒陽"},
        {kYu, {}, {}, "陽翟"},
        {kYu, QStringLiteral("河南尹"), QStringLiteral("中牟"), "中牟"},  // found by a search in another province
        {kSili, QStringLiteral("河南尹"), QStringLiteral("成都"), ""},
        {{}, {}, {}, ""},
    };
    for (const auto& f : follows) {
        map.follow(f.file, f.commandery, f.county);
        EXPECT_EQ(names(map.highlighted()), QString::fromUtf8(f.expected)) << f.county.toStdString();
        for (int i : map.highlighted())
            EXPECT_TRUE(QRectF(0, 0, 900, 700).contains(map.screenPos(i)));
    }
    map.follow(kSili, QStringLiteral("河南尹"), QStringLiteral("雒陽"));
    EXPECT_TRUE(map.accessibleDescription().contains(QStringLiteral("今の今の雒陽"))) << map.accessibleDescription().toStdString();

    // A click on a county emits its place; on a place's mark, its county's.
    // Points: 雒陽 河南 中牟 懐 陽翟 許, then the place 官渡 (6).
    QSignalSpy spy(&map, &MapWidget::countyChosen);
    QTest::mouseClick(&map, Qt::LeftButton, {}, map.screenPos(3).toPoint());
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), kSili);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 4);
    spy.clear();
    map.showAll();
    while (map.view().scale() >= mappaint::kPlaceScale)
        map.zoomOut();
    EXPECT_NE(map.pointAt(map.screenPos(6)), 6) << "a place is neither drawn nor hit before zooming in";
    const QPointF at = map.screenPos(6);
    for (int i = 0; i < 12 && map.view().scale() < mappaint::kPlaceScale; ++i) {
        QWheelEvent wheel(at, map.mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&map, &wheel);
    }
    ASSERT_GE(map.view().scale(), mappaint::kPlaceScale);
    EXPECT_NEAR(map.screenPos(6).x(), at.x(), 0.5) << "the wheel zooms about the pointer";
    QTest::mouseClick(&map, Qt::LeftButton, {}, map.screenPos(6).toPoint());
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
    const QString tip = map.describe(6);
    EXPECT_TRUE(tip.startsWith(QStringLiteral("官渡\n中牟（よみ）の地・河南尹・司隸校尉"))) << tip.toStdString();
    EXPECT_TRUE(map.describe(3).contains(QStringLiteral("位置の確かさ：推定")));
    for (const auto& l : map.labels())
        for (const auto& m : map.labels())
            ASSERT_TRUE(&l == &m || !l.rect.intersects(m.rect)) << l.text.toStdString() << " " << m.text.toStdString();

    // Census circles: area in proportion to the figure.
    EXPECT_NEAR(std::pow(mappaint::censusRadius(mappaint::Census::Population, 1436513) /
                             mappaint::censusRadius(mappaint::Census::Population, 1010827), 2),
                1436513.0 / 1010827.0, 1e-9);

    // At twice the pixels the same picture: a seat's colour where its point is.
    map.follow({}, {}, {});
    map.showAll();
    QImage twice(map.size() * 2, QImage::Format_ARGB32_Premultiplied);
    twice.setDevicePixelRatio(2);
    QPainter painter(&twice);
    map.render(painter);
    painter.end();
    const QPoint seat = (map.screenPos(4) * 2).toPoint();
    EXPECT_EQ(twice.pixelColor(seat), mappaint::provinceColour(1)) << "陽翟, 豫州";

    // Saving through the dialog seam: a PNG at the screen's ratio, and SVG when built with it.
    QTemporaryDir tmp;
    SavedPaths dialog;
    MapWindow window(tmp.path(), &dialog);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("地図 — Quillmere"));
    EXPECT_EQ(window.map()->accessibleName(), QStringLiteral("地図"));
    dialog.answer = tmp.filePath(QStringLiteral("map"));
    window.findChild<QPushButton*>(QStringLiteral("mapSave"))->click();
    EXPECT_FALSE(QImage(tmp.filePath(QStringLiteral("map.png"))).isNull());
    if (MapWindow::svgAvailable()) {
        dialog.answer = tmp.filePath(QStringLiteral("map.svg"));
        window.findChild<QPushButton*>(QStringLiteral("mapSave"))->click();
        QFile svg(dialog.answer);
        ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
        EXPECT_TRUE(svg.readAll().contains("<svg"));
    }
}

// The bundled gazetteer, on the real windows, through clicks: the map opened
// from its menu follows the main window's lists, and a click on a county's
// point shows that county there with its commandery and province.
TEST(MapWindow, FollowsTheMainWindowAndShowsWhatItsPointsChoose) {
    const QString compiled = QStringLiteral(QM_GAZETTEER_DIR);
    if (!QFileInfo(compiled + QStringLiteral("/chizu")).isDir())
        GTEST_SKIP() << "no compiled map at " << compiled.toStdString();
    ScriptedDialogs dialogs;
    Windows windows(Gazetteer::open({}, compiled), &dialogs);
    MainWindow& main = windows.main();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const auto choose = [&](const char* list, const QString& item) {
        auto* w = qobject_cast<QListWidget*>(main.control(QString::fromLatin1(list)));
        ASSERT_TRUE(w);
        const auto found = w->findItems(item, Qt::MatchStartsWith);
        ASSERT_FALSE(found.isEmpty()) << item.toStdString();
        w->scrollToItem(found.front());
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, w->visualItemRect(found.front()).center());
    };
    const auto text = [&](const char* box) { return qobject_cast<QLineEdit*>(main.control(QString::fromLatin1(box))); };
    EXPECT_EQ(windows.map(), nullptr) << "nothing of the map before it is asked for";
    main.menuAction(QStringLiteral("mnuchizu1"))->trigger();
    MapWindow* map = windows.map();
    ASSERT_TRUE(map);
    EXPECT_EQ(map->windowTitle(), QStringLiteral("地図 — Quillmere"));
    EXPECT_EQ(map->map()->accessibleName(), QStringLiteral("地図"));

    choose("List3", QStringLiteral("司隸校尉"));
    choose("List1", QStringLiteral("河南尹"));
    choose("List2", QStringLiteral("雒陽"));  // the list shows the real character
    EXPECT_EQ(text("Text3")->text(), QStringLiteral("■陽"));
    EXPECT_TRUE(map->map()->accessibleDescription().startsWith(QStringLiteral("雒陽")))
        << map->map()->accessibleDescription().toStdString();

    MapWidget& widget = *map->map();
    int ye = -1;
    for (int i = 0; i < static_cast<int>(widget.model().points.size()) && ye < 0; ++i)
        if (widget.describe(i).startsWith(QStringLiteral("鄴（")))
            ye = i;
    ASSERT_GE(ye, 0);
    widget.follow(QStringLiteral("syu/冀州.txt"), QStringLiteral("魏郡"), QStringLiteral("■"));
    for (int n = 0; n < 8 && widget.pointAt(widget.screenPos(ye)) != ye; ++n)
        widget.zoomIn();  // a neighbour's point drawn over it at the whole view
    ASSERT_EQ(widget.pointAt(widget.screenPos(ye)), ye);
    widget.follow({}, {}, {});
    QTest::mouseClick(&widget, Qt::LeftButton, {}, widget.screenPos(ye).toPoint());
    EXPECT_EQ(text("Text3")->accessibleDescription(), QStringLiteral("鄴"));
    EXPECT_EQ(text("Text2")->text(), QStringLiteral("魏郡"));
    EXPECT_EQ(text("Text1")->text(), QStringLiteral("冀州"));
    EXPECT_TRUE(widget.accessibleDescription().startsWith(QStringLiteral("鄴")));
    EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace

