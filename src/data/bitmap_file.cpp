#include "data/bitmap_file.h"

#include "data/gazetteer.h"
#include "data/glyph_name.h"
#include "data/paths.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <cstdlib>

namespace glyphs {
namespace {

constexpr qint64 kMaxFileBytes = 1 << 20;
constexpr int kMaxSide = 512;

// Where the fields sit in a Windows bitmap: a 14-byte file header, then an
// info header whose first field is its own size. The OS/2 core header (12
// bytes) has 16-bit sizes and no compression; every later one extends the
// 40-byte info header.
namespace bmp {
constexpr int kPixelOffset = 10;     // u32: where the pixel rows start
constexpr int kInfoSize = 14;        // u32: size of the info header
constexpr int kCoreWidth = 18;       // u16
constexpr int kCoreHeight = 20;      // u16
constexpr int kCoreBitCount = 24;    // u16
constexpr int kCoreEnd = 26;
constexpr quint32 kCoreInfoSize = 12;
constexpr int kWidth = 18;           // i32
constexpr int kHeight = 22;          // i32: negative for top-down rows
constexpr int kBitCount = 28;        // u16
constexpr int kCompression = 30;     // u32
constexpr int kImageSize = 34;       // u32: bytes of pixel data, needed when compressed
constexpr int kInfoEnd = 54;
constexpr quint32 kRle8 = 1, kRle4 = 2, kRgb = 0, kBitFields = 3;
}  // namespace bmp

bool insideGlyphDir(const Gazetteer& g, const QFileInfo& file) {
    const QString dir = QFileInfo(g.path(paths::kGlyphDir)).canonicalFilePath();
    const QString target = file.canonicalFilePath();
    return !dir.isEmpty() && !target.isEmpty() && target.startsWith(dir + u'/');
}

// Qt's reader stops quietly at the end of a short file and hands back the
// image with the missing rows uninitialised, so a bitmap must hold every
// pixel its header declares.
bool holdsAllPixels(QFile& file) {
    const QByteArray head = file.read(bmp::kInfoEnd);
    if (head.size() < bmp::kCoreEnd || !head.startsWith("BM"))
        return false;
    const auto u16 = [&](int at) { return qint64(qFromLittleEndian<quint16>(head.constData() + at)); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(head.constData() + at); };
    const auto i32 = [&](int at) { return qint64(qFromLittleEndian<qint32>(head.constData() + at)); };
    const qint64 pixelsAt = u32(bmp::kPixelOffset);
    qint64 width = 0, height = 0, bits = 0;
    quint32 compression = bmp::kRgb, imageBytes = 0;
    if (u32(bmp::kInfoSize) == bmp::kCoreInfoSize) {
        width = u16(bmp::kCoreWidth), height = u16(bmp::kCoreHeight), bits = u16(bmp::kCoreBitCount);
    } else {
        if (head.size() < bmp::kInfoEnd)
            return false;
        width = i32(bmp::kWidth), height = i32(bmp::kHeight), bits = u16(bmp::kBitCount);
        compression = u32(bmp::kCompression), imageBytes = u32(bmp::kImageSize);
    }
    if (width <= 0 || height == 0 || bits == 0 || bits > 32)
        return false;
    // Larger bitmaps are refused anyway; checking first also keeps the row
    // arithmetic below from overflowing on a forged header.
    if (width > kMaxSide || std::abs(height) > kMaxSide)
        return false;
    if (compression == bmp::kRle8 || compression == bmp::kRle4)  // only the stored size is known
        return imageBytes > 0 && pixelsAt + imageBytes <= file.size();
    if (compression != bmp::kRgb && compression != bmp::kBitFields)
        return false;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    return pixelsAt + rowBytes * std::abs(height) <= file.size();
}

}  // namespace

QImage readBitmap(const Gazetteer& gazetteer, const QString& path) {
    if (path.isEmpty())
        return QImage();
    const QFileInfo info(gazetteer.path(path));
    if (!info.isFile() || info.size() > kMaxFileBytes || !insideGlyphDir(gazetteer, info))
        return QImage();
    QFile file(info.canonicalFilePath());
    if (!file.open(QIODevice::ReadOnly) || !holdsAllPixels(file) || !file.seek(0))
        return QImage();
    QImageReader reader(&file, "bmp");
    reader.setDecideFormatFromContent(false);
    // Qt states a top-down bitmap's height as negative, as its header does.
    const QSize size = reader.size();
    const int height = std::abs(size.height());
    if (size.width() <= 0 || height == 0 || size.width() > kMaxSide || height > kMaxSide)
        return QImage();
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

QImage readGlyph(const Gazetteer& gazetteer, const QString& path, qreal devicePixelRatio) {
    const QImage base = readBitmap(gazetteer, path);
    if (base.isNull() || devicePixelRatio <= 1)
        return base;
    QImage sharp = readBitmap(gazetteer, GlyphName::doubleSizePath(path));
    if (sharp.isNull() || sharp.size() != base.size() * 2)
        return base;
    sharp.setDevicePixelRatio(2);
    return sharp;
}

}  // namespace glyphs
