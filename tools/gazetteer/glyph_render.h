// Rendering a glyph bitmap: one character, white on the name boxes' green,
// at the size of the picture box that covers it, as a Windows bitmap.
#pragma once

#include "glyph_fonts.h"

#include <QString>

namespace gazetteer {

// One picture to render: a character the name boxes cannot show, at the size
// of the box that covers it.
struct Glyph {
    char32_t code = 0;
    int width = 0;
    int height = 0;
};

// The em the name boxes set names in, in pixels at scale 1; the fonts for
// `scale` are loaded at this times `scale`.
inline constexpr double kEm = 21.0;

// Renders one glyph as a 24-bit Windows bitmap at `path`, `scale` times the
// `scale` times the picture box's size: drawn from the outline at that size,
// never enlarged. `fonts` must be loaded at kEm * scale.
bool renderGlyph(const GlyphFonts& fonts, const Glyph& g, int scale, const QString& path, QString* error);

}  // namespace gazetteer
