// Reading the glyph bitmaps in ji/ safely. Record files name the bitmaps, and
// a record file may come from anywhere, so nothing here trusts a name, a
// link or a header.
#pragma once

#include <QImage>
#include <QString>

class Gazetteer;

namespace glyphs {

// Reads a Windows bitmap at `path` (relative to the gazetteer's root) that
// lies inside its ji/ (symlinks resolved), of at most
// 512 pixels a side and 1 MiB, holding every pixel its header declares. A
// null image for anything else: missing, unreadable, truncated, not a
// bitmap, too large, or outside ji/.
QImage readBitmap(const Gazetteer& gazetteer, const QString& path);

// The picture for `path` on a screen of `devicePixelRatio`: above 1, the @2x
// variant (GlyphName::doubleSizePath), its device pixel ratio set to 2, when it reads safely and is
// exactly twice the size of the bitmap at `path`; otherwise that bitmap
// itself. Null when the bitmap at `path` does not read, whatever the variant.
QImage readGlyph(const Gazetteer& gazetteer, const QString& path, qreal devicePixelRatio);

}  // namespace glyphs
