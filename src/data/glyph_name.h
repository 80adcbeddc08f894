// The name of a glyph bitmap, in every form the gazetteer writes or reads:
// the base name a record stores (gunji, kenji, kenji2), the bitmap's path in
// ji/, and its drawing at twice the size for screens with two device pixels
// to a pixel. The compiler names bitmaps after the code point they show:
//   u96d2       雒, drawn for a name character's box
//   u5dc2_24    the same character drawn for a box 24 pixels wide
//   en4         the catalogue's 兗 (the province glyph)
//   ji/u96d2.bmp, ji/u96d2@2x.bmp   the files
// A record file may come from anywhere, so a base name is only a string
// until it is checked: path() refuses one that could leave ji/, character()
// reads nothing into a name it does not know.
#pragma once

#include <QString>

class GlyphName {
public:
    GlyphName() = default;
    explicit GlyphName(QString base) : base_(std::move(base)) {}

    // The compiler's name for the bitmap of `code`: "u" and the code point in
    // lower-case hex; "_" and `boxWidth` after it when the box is not a name
    // character's (0: it is).
    static GlyphName ofCode(char32_t code, int boxWidth = 0);
    // The name a bitmap path carries: "ji/u96d2.bmp" and "ji/u96d2@2x.bmp"
    // both carry "u96d2". Empty for an empty path.
    static GlyphName ofPath(const QString& path);
    // "ji/u96d2.bmp" -> "ji/u96d2@2x.bmp". Empty when `path` does not end in ".bmp".
    static QString doubleSizePath(const QString& path);

    const QString& base() const { return base_; }
    bool isEmpty() const { return base_.isEmpty(); }

    // "ji/" + base + ".bmp" at scale 1, "ji/" + base + "@2x.bmp" at scale 2.
    // Empty for an empty base and for one that could reach outside ji/ (it
    // holds "/", "\\", ".." or a NUL): an empty path loads nothing.
    QString path(int scale = 1) const;

    // The character the name says the bitmap shows: 雒 for u96d2 and
    // u96d2_24, 兗 for en4. Empty for any other name, and for a code that is
    // no letter (a control, a space, a surrogate, a placeholder would
    // mislead a reader rather than help).
    QString character() const;

    friend bool operator==(const GlyphName&, const GlyphName&) = default;

private:
    QString base_;
};
