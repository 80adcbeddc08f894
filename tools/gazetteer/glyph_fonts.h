// The faces glyph bitmaps are drawn from, found through fontconfig so that
// no font path is assumed.
#pragma once

#include <QRawFont>
#include <QString>
#include <vector>

namespace gazetteer {

// A face the glyphs are drawn from, at one scale.
struct Face {
    QRawFont font;
    bool mincho = false;  // hairlines that need thickening beside a Gothic
};

// Noto Sans CJK JP (fonts-noto-cjk), a Gothic whose Regular weight matches
// the name boxes' strokes, then Hanazono Mincho (fonts-hanazono) for the few
// characters it lacks: A holds the BMP and most of Extension A, B the
// supplementary planes. Loaded per compile, not kept in a static, so that
// the fonts go before the application does.
struct GlyphFonts {
    static constexpr const char* kGothic = "Noto Sans CJK JP";
    std::vector<Face> faces;
    bool haveGothic = false;

    // The faces at `emPixels` pixels to the em.
    explicit GlyphFonts(double emPixels);
    // The first face that has `code`, or nullptr.
    const Face* faceFor(char32_t code) const;
};

}  // namespace gazetteer
