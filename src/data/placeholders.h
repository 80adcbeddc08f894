// The placeholders that stand in a name field for characters CP932 lacks,
// and a name read with the characters the glyph bitmaps over them show.
#pragma once

#include "data/records.h"

#include <QChar>
#include <QString>

namespace glyphs {

inline constexpr QChar kBlack = QChar(0x25A0);  // ■: glyph named in gunji / kenji
inline constexpr QChar kWhite = QChar(0x25A1);  // □: a county's second character, glyph in kenji2

// `name` as a reader should hear it: a ■ in the first or second place becomes
// the character the glyph `black` names (GlyphName::character), a □ in the
// second place the one `white` names, the places the glyph pictures cover. A placeholder whose glyph name
// says nothing, or that no picture covers, stays.
QString readableName(const QString& name, const QString& black, const QString& white = {});

// A record's name as readableName reads it through the record's own glyph
// names (gunji; kenji and kenji2).
QString readableName(const gunrec& r);
QString readableName(const kenrec& r);

// True when `name` holds a placeholder that a picture may cover.
bool hasPlaceholder(const QString& name);

}  // namespace glyphs
