// The base map under the counties: land, lakes, rivers and modern borders,
// as the gazetteer compiler writes them to chizu/kihon.bin.
//
// Layout, all integers little-endian:
//   magic    8 bytes  "QMKIHON1"
//   count    u32      number of features
//   then `count` features, each:
//     layer  u8       1 land ring, 2 lake ring, 3 river line, 4 border line
//     rank   u8       a river's scalerank (0 the largest); 0 for the rest
//     label  u16      bytes of the label that follows (UTF-8, at most kMaxLabel)
//     points u32      number of points that follow
//     label bytes
//     points × (i16 longitude, i16 latitude), in hundredths of a degree
// A ring has at least four points and ends on its first; a line at least two.
// Hundredths (about 1 km) are the precision of the Natural Earth source.
#pragma once

#include "data/map_file.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace basemap {

enum class Layer : std::uint8_t { Land = 1, Lake = 2, River = 3, Border = 4 };

struct GeoPoint {
    double lon = 0;  // degrees east
    double lat = 0;  // degrees north
};

struct Feature {
    Layer layer = Layer::Land;
    int rank = 0;
    QString label;  // a labelled river's "河（黄河）"; empty for the rest
    std::vector<GeoPoint> points;
};

struct BaseMap {
    std::vector<Feature> features;
};

// Where the compiler writes it, under the directory holding syu/.
inline const QString kDir = QStringLiteral("chizu");
inline const QString kFile = QStringLiteral("chizu/kihon.bin");

inline constexpr char kMagic[8] = {'Q', 'M', 'K', 'I', 'H', 'O', 'N', '1'};
inline constexpr int kMaxLabel = 255;
inline constexpr qint64 kMaxFileBytes = 64 << 20;

// Whether `f` can be written and read back: a known layer, enough points, a
// ring closed, every point on the globe and at hundredths of a degree, a label
// of at most kMaxLabel bytes without control characters. `why` says what not.
bool valid(const Feature& f, QString* why = nullptr);

// The file's bytes for `map`; false (with `why`) when a feature is not valid.
bool encode(const BaseMap& map, QByteArray& out, QString* why = nullptr);

// The features of `bytes` that are valid. A feature that is not (an unknown
// layer, a bad label, a point off the globe, too few points, a ring left
// open) is skipped and reported; at a count larger than the bytes left the
// rest is reported truncated. Never reads outside `bytes`.
BaseMap decode(QByteArrayView bytes, mapfile::Report& report);

// decode() of the file at `path` (a full path), read as mapfile::readRegular
// does, of at most kMaxFileBytes. A missing or refused file gives no
// features and report.missing.
BaseMap read(const QString& path, mapfile::Report& report);

}  // namespace basemap
