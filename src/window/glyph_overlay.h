// The glyph pictures laid over placeholders ("■", "□") in the name boxes:
// which bitmap file a glyph name means and which picture covers which
// character. Reading the bitmap itself is in bitmap_file.h.
#pragma once

#include "data/placeholders.h"

#include <QString>

class PictureBox;

namespace glyphs {

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

// A name box's text as a reader should hear it, while `first` and `second`
// (either may be null) are the pictures over its first and second character:
// a placeholder under a shown picture whose bitmap names a character reads as
// that character; every other placeholder stays, as does the rest.
QString spokenName(const QString& text, const PictureBox* first, const PictureBox* second);

}  // namespace glyphs
