// The home page and six other history reference programs: fixed texts shown
// in an input dialog so that the reader can copy the address.
#pragma once

#include <QString>
#include <array>

namespace menu {

// What each item's dialog shows; the captions are in the menu table
// (window/control_table.h).
struct Entry {
    QString prompt;   // one-line text in the dialog
    QString title;    // dialog title
    QString address;  // pre-filled, editable; nothing is opened
};

// Index 0 is the "ＨＰ" menu; 1 to 6 are the items of "その他歴史ソフト".
const std::array<Entry, 7>& entries();

}  // namespace menu
