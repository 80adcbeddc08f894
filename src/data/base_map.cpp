#include "data/base_map.h"

#include <QStringDecoder>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace basemap {
namespace {

constexpr qsizetype kHeader = 12;       // magic and count
constexpr qsizetype kFeatureHead = 8;   // layer, rank, label length, point count
constexpr qsizetype kPointBytes = 4;
constexpr int kLonLimit = 18000, kLatLimit = 9000;  // hundredths of a degree

bool knownLayer(int layer) { return layer >= 1 && layer <= 4; }
bool isRing(Layer l) { return l == Layer::Land || l == Layer::Lake; }
std::size_t minimumPoints(Layer l) { return isRing(l) ? 4 : 2; }

bool labelOk(const QString& label) {
    for (const QChar c : label)
        if (c.category() == QChar::Other_Control || c == QChar(0xFFFD))
            return false;
    return true;
}

// A coordinate in hundredths, if it is one: finite, on the globe, and
// already at that precision (so that it reads back as written).
bool hundredths(double degrees, int limit, qint16& out) {
    if (!std::isfinite(degrees))
        return false;
    const double h = std::round(degrees * 100.0);
    if (std::fabs(h) > limit || std::fabs(h - degrees * 100.0) > 1e-6)
        return false;
    out = static_cast<qint16>(h);
    return true;
}

template <class T>
T take(const char* p) {
    return qFromLittleEndian<T>(p);
}

}  // namespace

bool valid(const Feature& f, QString* why) {
    QString dummy;
    QString& w = why ? *why : dummy;
    if (!knownLayer(static_cast<int>(f.layer)))
        return w = QStringLiteral("unknown layer"), false;
    if (f.rank < 0 || f.rank > 255)
        return w = QStringLiteral("rank %1 is not 0 to 255").arg(f.rank), false;
    if (f.label.toUtf8().size() > kMaxLabel || !labelOk(f.label))
        return w = QStringLiteral("the label is longer than %1 bytes or holds a control character").arg(kMaxLabel), false;
    if (f.points.size() < minimumPoints(f.layer))
        return w = QStringLiteral("%1 points; at least %2").arg(f.points.size()).arg(minimumPoints(f.layer)), false;
    qint16 x = 0, y = 0;
    for (const GeoPoint& p : f.points)
        if (!hundredths(p.lon, kLonLimit, x) || !hundredths(p.lat, kLatLimit, y))
            return w = QStringLiteral("point %1,%2 is not on the globe in hundredths of a degree").arg(p.lon).arg(p.lat), false;
    if (isRing(f.layer) && (f.points.front().lon != f.points.back().lon ||
                            f.points.front().lat != f.points.back().lat))
        return w = QStringLiteral("the ring does not end where it starts"), false;
    return true;
}

bool encode(const BaseMap& map, QByteArray& out, QString* why) {
    out.clear();
    if (map.features.size() > UINT32_MAX)
        return false;
    out.append(kMagic, sizeof kMagic);
    char buf[4];
    qToLittleEndian<quint32>(static_cast<quint32>(map.features.size()), buf);
    out.append(buf, 4);
    for (const Feature& f : map.features) {
        if (!valid(f, why))
            return out.clear(), false;
        const QByteArray label = f.label.toUtf8();
        out.append(static_cast<char>(f.layer));
        out.append(static_cast<char>(f.rank));
        qToLittleEndian<quint16>(static_cast<quint16>(label.size()), buf);
        out.append(buf, 2);
        qToLittleEndian<quint32>(static_cast<quint32>(f.points.size()), buf);
        out.append(buf, 4);
        out.append(label);
        for (const GeoPoint& p : f.points) {
            qint16 x = 0, y = 0;
            hundredths(p.lon, kLonLimit, x);
            hundredths(p.lat, kLatLimit, y);
            qToLittleEndian<qint16>(x, buf);
            qToLittleEndian<qint16>(y, buf + 2);
            out.append(buf, 4);
        }
    }
    return true;
}

BaseMap decode(QByteArrayView bytes, mapfile::Report& report) {
    BaseMap map;
    if (bytes.size() < kHeader || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        report.refuse(QStringLiteral("not a base map file"));
        return map;
    }
    const char* const data = bytes.data();
    const quint32 count = take<quint32>(data + 8);
    qsizetype at = kHeader;
    for (quint32 n = 0; n < count; ++n) {
        const qsizetype left = bytes.size() - at;
        if (left < kFeatureHead) {
            report.skip(QStringLiteral("truncated: %1 of %2 features present").arg(n).arg(count));
            break;
        }
        const int layer = static_cast<unsigned char>(data[at]);
        const int rank = static_cast<unsigned char>(data[at + 1]);
        const qsizetype labelBytes = take<quint16>(data + at + 2);
        const qint64 points = take<quint32>(data + at + 4);
        // The counts are checked against what is left before anything is
        // allocated: a forged count cannot make the reader reserve memory.
        if (labelBytes > left - kFeatureHead ||
            points > (left - kFeatureHead - labelBytes) / kPointBytes) {
            report.skip(QStringLiteral("feature %1: its counts run past the end of the file; "
                                       "the rest is truncated").arg(n + 1));
            break;
        }
        const char* p = data + at + kFeatureHead;
        at += kFeatureHead + labelBytes + static_cast<qsizetype>(points) * kPointBytes;
        if (!knownLayer(layer)) {
            report.skip(QStringLiteral("feature %1: unknown layer %2").arg(n + 1).arg(layer));
            continue;
        }
        Feature f;
        f.layer = static_cast<Layer>(layer);
        f.rank = rank;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        f.label = utf8.decode(QByteArrayView(p, labelBytes));
        if (utf8.hasError() || labelBytes > kMaxLabel || !labelOk(f.label)) {
            report.skip(QStringLiteral("feature %1: the label is not UTF-8 text").arg(n + 1));
            continue;
        }
        p += labelBytes;
        f.points.reserve(static_cast<std::size_t>(points));
        bool onGlobe = true;
        for (qint64 i = 0; i < points && onGlobe; ++i, p += kPointBytes) {
            const int x = take<qint16>(p), y = take<qint16>(p + 2);
            onGlobe = std::abs(x) <= kLonLimit && std::abs(y) <= kLatLimit;
            f.points.push_back({x / 100.0, y / 100.0});
        }
        QString why;
        if (!onGlobe || !valid(f, &why)) {
            report.skip(QStringLiteral("feature %1: %2").arg(n + 1).arg(onGlobe ? why : QStringLiteral("a point off the globe")));
            continue;
        }
        map.features.push_back(std::move(f));
    }
    return map;
}

BaseMap read(const QString& path, mapfile::Report& report) {
    QByteArray bytes;
    if (!mapfile::readRegular(path, kMaxFileBytes, bytes, report))
        return {};
    return decode(bytes, report);
}

}  // namespace basemap
