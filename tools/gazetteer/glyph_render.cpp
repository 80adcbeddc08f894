#include "glyph_render.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace gazetteer {
namespace {

// Where the name boxes put a character, in pixels of the picture that covers
// it. The window sets names in IPA P Gothic (the first face of
// ui::fontFamilies() a Debian desktop has) at 21 pixels, ascent 18 and
// descent 4; a name box 33 pixels high centres that line, rounding down, so
// the baseline lies 5 + 18 pixels below the box's top, and the picture starts
// one pixel lower. At twice the size Qt lays the line out from the face's
// metrics at 42 pixels (ascent 37, descent 8) in 66: 10 + 37 below the top,
// the picture two lower. Across, the glyph is centred: one bitmap serves
// both places of a county name, whose character cells start 3 and 1 pixels
// into their pictures.
constexpr double baselineAt(int scale) { return scale == 1 ? 22.0 : 45.0; }


}  // namespace

bool renderGlyph(const GlyphFonts& fonts, const Glyph& g, int scale, const QString& path,
                 QString* error) {
    const Face* face = fonts.faceFor(g.code);
    if (!face) {
        *error = QStringLiteral("%1: no installed font (fonts-noto-cjk, fonts-hanazono) has U+%2")
                     .arg(path)
                     .arg(static_cast<uint>(g.code), 4, 16, QLatin1Char('0'));
        return false;
    }
    const QRawFont& font = face->font;
    const QString text = QString::fromUcs4(&g.code, 1);
    const QList<quint32> indexes = font.glyphIndexesForString(text);
    if (indexes.size() != 1 || indexes[0] == 0) {
        *error = QStringLiteral("%1: the font has no glyph for %2").arg(path, text);
        return false;
    }
    // White on the name boxes' dark green, so the picture reads as part of the name.
    QImage image(g.width * scale, g.height * scale, QImage::Format_RGB32);
    image.fill(QColor(0x00, 0x60, 0x00));
    const double advance = font.advancesForGlyphIndexes(indexes).value(0).x();
    QTransform t;
    t.translate((image.width() - advance) / 2, baselineAt(scale));
    const QPainterPath placed = t.map(font.pathForGlyph(indexes[0]));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(placed, Qt::white);
    // Mincho hairlines vanish at this size next to the Gothic text: thicken them a little.
    if (face->mincho)
        p.strokePath(placed, QPen(Qt::white, 0.6 * scale));
    p.end();
    if (!image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
        *error = QStringLiteral("%1: cannot write the bitmap").arg(path);
        return false;
    }
    return true;
}

}  // namespace gazetteer
