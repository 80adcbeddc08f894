// The window's unit, twips (15 to a pixel at 96 dpi), and the picture boxes
// a glyph bitmap is drawn for: the compiler renders each glyph at its box's
// size in pixels, and the window lays the boxes out at these sizes.
#pragma once

namespace twips {

struct GlyphBox {
    int width;
    int height;
};
inline constexpr GlyphBox kProvinceGlyph{400, 400};          // the province name's first character
inline constexpr GlyphBox kNameGlyph{380, 400};              // a commandery's first, a county's characters
inline constexpr GlyphBox kCommanderySecondGlyph{360, 400};  // a commandery's second character

// Twips to pixels, rounded to the nearest: the design has positions such as 250.
constexpr int toPixels(int twips) { return (twips >= 0 ? twips + 7 : twips - 7) / 15; }

}  // namespace twips
