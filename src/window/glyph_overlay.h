// The glyph pictures laid over placeholders ("■", "□") in the name boxes:
// which bitmap file a glyph name means and which picture covers which
// character. Reading the bitmap itself is in bitmap_file.h.
#pragma once

#include "data/glyph_names.h"

#include <QString>

class PictureBox;

namespace glyphs {

// "ji/" + name + ".bmp". Empty when the name could reach outside ji/ (holds
// "/", "\\", "..", or a NUL); an empty path loads nothing.
QString pathFor(const QString& name);

// Makes the box visible, then loads the bitmap into it.
void showWithBitmap(PictureBox& box, const QString& path);

// The glyph rule for a commandery name shown in Text2: Picture2 over its
// first character, Picture3 over its second, both with the gunji bitmap.
// Hides a box this name does not need (an earlier record may have shown it).
void coverCommanderyName(const QString& name, const QString& gunji, PictureBox& first,
                         PictureBox& second);

// The glyph rule for a county name shown in Text3: Picture4 over "■" first
// (kenji); Picture5 over "■" second (kenji) or "□" second (kenji2).
void coverCountyName(const QString& name, const QString& kenji, const QString& kenji2,
                     PictureBox& first, PictureBox& second);

}  // namespace glyphs
