// Inputs the fuzz targets found to break something, kept so the fault
// stays fixed. Run under the sanitized build they fail loudly if it returns.
#include "support/sample_data.h"
#include "data/bitmap_file.h"
#include "data/glyph_name.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

void writeFile(const WorkDir& wd, const QString& path, const QByteArray& bytes) {
    QFile f(wd.file(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// A 54-byte header of an uncompressed Windows bitmap with `pixels` bytes of
// pixel data after it.
QByteArray bitmapHeader(qint32 width, qint32 height, quint16 bits, int pixels) {
    QByteArray b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    char* p = b.data();
    qToLittleEndian<quint32>(54u + static_cast<quint32>(pixels), p + 2);
    qToLittleEndian<quint32>(54, p + 10);
    qToLittleEndian<quint32>(40, p + 14);
    qToLittleEndian<qint32>(width, p + 18);
    qToLittleEndian<qint32>(height, p + 22);
    qToLittleEndian<quint16>(1, p + 26);
    qToLittleEndian<quint16>(bits, p + 28);
    return b + QByteArray(pixels, '\x7f');
}

}  // namespace

// fuzz_glyph: a header whose width and height multiply past 64 bits made the
// completeness check overflow (undefined behaviour) before the size limit
// could refuse the bitmap.
TEST(FuzzRegression, ForgedBitmapSizesAreRefusedWithoutOverflow) {
    WorkDir wd;
    const char found[] =
        "\x42\x4d\x71\x74\x2e\x63\x6f\x72\x65\xff\xff\xff\xff\xff\xff\x85\xff\xff"
        "\xff\xff\x70\x6c\x75\x67\x69\x6e\x2e\x00\x19\x00\x00\x00\x00\x00\xff\xff"
        "\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"
        "\xff\xff\xff\xff\x21\xff\xff\xff\xff\xff\xff\xff\xff\x70\x6c\x75\x67\x69"
        "\x6e\x2e\x00\x19\x00\x00\x00\x00\x00\x04\x08\x00\x00\x1b\x00\x10\x00\x01"
        "\x00\x18\x00\x00\x00\x00\x00\x04\x08\x00\x00\x13\x00\x13\x0b\x0b";
    writeFile(wd, QStringLiteral("ji/found.bmp"), QByteArray(found, sizeof found - 1));
    EXPECT_TRUE(glyphs::readBitmap(wd.gazetteer(), GlyphName(QStringLiteral("found")).path()).isNull());

    // The extremes a signed 32-bit header can state, top-down and bottom-up.
    const struct { qint32 width, height; quint16 bits; } forged[] = {
        {INT32_MAX, INT32_MAX, 32},
        {INT32_MAX, INT32_MIN, 32},
        {INT32_MAX, 1, 32},
        {1, INT32_MIN, 1},
        {513, 1, 24},
        {1, -513, 24},
    };
    for (const auto& f : forged) {
        writeFile(wd, QStringLiteral("ji/forged.bmp"), bitmapHeader(f.width, f.height, f.bits, 64));
        EXPECT_TRUE(glyphs::readBitmap(wd.gazetteer(), QStringLiteral("ji/forged.bmp")).isNull())
            << f.width << " x " << f.height << " x " << f.bits;
    }

    // The limit itself still loads when every pixel is there, both ways up:
    // a top-down bitmap states its height as negative, and was refused.
    for (qint32 height : {512, -512}) {
        writeFile(wd, QStringLiteral("ji/edge.bmp"), bitmapHeader(512, height, 24, 512 * 3 * 512));
        EXPECT_EQ(glyphs::readBitmap(wd.gazetteer(), QStringLiteral("ji/edge.bmp")).size(), QSize(512, 512))
            << height;
    }
    writeFile(wd, QStringLiteral("ji/small.bmp"), bitmapHeader(4, -3, 24, 4 * 3 * 3));
    EXPECT_EQ(glyphs::readBitmap(wd.gazetteer(), QStringLiteral("ji/small.bmp")).size(), QSize(4, 3));
}
