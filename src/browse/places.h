// The records behind list items: re-reading an item's record at its place,
// and telling in words where that record lies.
#pragma once

#include "data/record_file.h"
#include "data/text_model.h"
#include "window/controls.h"

#include <QString>
#include <optional>

namespace places {

// The record `item` was made from, re-read at `place`; nullopt when the item
// has no place or the record there no longer reads as `item` (its file
// changed, shrank or went since the list was filled).
template <class Rec>
std::optional<Rec> recordOfItem(const RecordPlace& place, const QString& item) {
    std::optional<Rec> rec = recordAt<Rec>(place);
    if (rec && text::itemText(*rec) != item)
        rec.reset();
    return rec;
}

// Where the record of `item` lies: for a county "蜀郡・益州" (its commandery
// and province), for a commandery its province; a placeholder whose glyph
// name says the character reads as that character. Empty when recordOfItem
// finds no record, or `place` is in no file the catalogue knows.
QString describe(const RecordPlace& place, const QString& item);

// How the item of `r` shows: its name with the real characters behind its
// placeholders, where its glyph names give them; no note.
ItemLook look(const gunrec& r);
ItemLook look(const kenrec& r);
// The same, given the record's name and reading values already decoded.
ItemLook look(const gunrec& r, const QString& name, const QString& reading);
ItemLook look(const kenrec& r, const QString& name, const QString& reading);

// What an item's tooltip and accessible description say: describe(), then
// on a line of its own the note of its look (the other name it was found
// by). Empty when describe() is.
QString hint(const RecordPlace& place, const QString& item, const QString& note);

}  // namespace places
