// The gazetteer's files as the program, the compiler and the lint all know
// them: the data root, the path of every record file, glyph bitmap and
// other-names index file, the sizes the glyph pictures are drawn at, and the
// rules of the UTF-8 source tables in data/.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace format {

// ---------------------------------------------------------------- data root

// Every path below is relative to the data root: by default the working
// directory, where the program must find syu/ and ji/. A tool or a test may
// name another directory; an empty one means the working directory again.
void setRoot(const QString& dir);
const QString& root();

// `path` as it is to be opened: under the data root unless it is absolute.
QString resolve(const QString& path);

// ------------------------------------------------------------ record files

inline const QString kRecordDir = QStringLiteral("syu");
// The commandery file, common to all provinces.
inline const QString kCommanderyFile = QStringLiteral("syu/州郡.txt");
// A province's county file from its stem: "司隸" -> "syu/司隸.txt".
QString countyFile(const QString& stem);

// ----------------------------------------------------------- glyph bitmaps

inline const QString kGlyphDir = QStringLiteral("ji");

// "ji/" + name + ".bmp". Empty when the name could reach outside ji/ (holds
// "/", "\\", "..", or a NUL); an empty path loads nothing.
QString glyphPath(const QString& name);

// "ji/u96d2.bmp" -> "ji/u96d2@2x.bmp": the same glyph drawn at twice the size
// for screens with more than one device pixel per pixel. Empty when `path`
// does not end in ".bmp".
QString doubleSizePath(const QString& path);

// The base name the compiler gives the bitmap of a code point: "u96d2".
QString glyphBaseName(char32_t code);

// The picture boxes a glyph is drawn for, in twips as the window lays them
// out; a bitmap is drawn at the box's size in pixels.
struct GlyphBox {
    int width;
    int height;
};
inline constexpr GlyphBox kProvinceGlyph{400, 400};          // the province name's first character
inline constexpr GlyphBox kNameGlyph{380, 400};              // a commandery's first, a county's characters
inline constexpr GlyphBox kCommanderySecondGlyph{360, 400};  // a commandery's second character

// Twips to pixels at 96 dpi (15 to a pixel), rounded to the nearest.
constexpr int toPixels(int twips) { return (twips >= 0 ? twips + 7 : twips - 7) / 15; }

// ------------------------------------------------------ other-names index

inline const QString kIndexDir = QStringLiteral("betsu");
// The index file of a record file: "syu/司隸.txt" -> "betsu/司隸.tsv".
QString indexFileFor(const QString& recordFile);

// ----------------------------------------------------------- source tables

struct TsvRow {
    int line = 0;
    QStringList fields;
};

struct Tsv {
    QString path;  // as given, for messages
    QStringList header;
    int headerLine = 0;
    std::vector<TsvRow> rows;

    // The field of `row` in `column`; empty when the header has no such column.
    QString at(const TsvRow& row, const QString& column) const;
    // "path:line: ", the start of a message about that line.
    QString where(int line) const;
};

// Reads a source table of data/ (not under the data root): UTF-8, one line a row, fields separated by
// tabs; a trailing CR is dropped, and blank lines and lines starting with
// '#' are skipped. The first other line is the header, and every row must
// have as many fields as it. Each fault is added to `faults` as
// "path:line: what": a line that is not UTF-8 text or has another number of
// fields is left out. False when the file cannot be read or has no header.
bool readTsv(const QString& path, Tsv& out, QStringList& faults);

// Readings are hiragana (U+3041..U+3096); the katakana written for a
// character without a CP932 code are katakana letters (U+30A1..U+30FA) and
// the long-vowel mark ー. Both false for an empty text.
bool isHiragana(const QString& s);
bool isKatakana(const QString& s);

}  // namespace format
