// The few operations the handlers perform on the window's controls. The real
// Qt widgets and the in-memory controls of the tests both implement them, so
// the same scenarios run on either.
#pragma once

#include "data/record_place.h"
#include "window/control_table.h"

#include <QString>

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
};

// What a placed item shows and tells beyond its text, which the handlers
// split and compare: `shown` is what the user reads and a screen reader
// says (the real characters behind placeholders, the other name it was
// found by), `hint` what its tooltip and accessible description say (where
// the record lies, then on a line of its own the other name's note). The
// handler that lists the item works both out; the list only keeps them.
// Empty: the item text; no hint.
struct ItemLook {
    QString shown;
    QString hint;
};

// A single-column, single-selection list that keeps items in append order.
// An item may keep, unseen, the place of the record it was made from.
class ListBox {
public:
    virtual ~ListBox() = default;
    virtual void clear() = 0;
    // An item with no place (selectedPlace() then gives record 0).
    virtual void append(const QString& item) = 0;
    virtual void append(const QString& item, const RecordPlace& place, ItemLook look) = 0;
    // The place of the selected item; record 0 when nothing is selected or
    // the item has none.
    virtual RecordPlace selectedPlace() const = 0;
    // -1 and an empty text when no item is selected.
    virtual int selectedIndex() const = 0;
    virtual QString selectedText() const = 0;
    virtual int count() const = 0;
    // The item text, as selectedText() gives it.
    virtual QString item(int index) const = 0;
    // What the user reads of item `index`.
    virtual QString shown(int index) const = 0;
    // What item `index` tells when asked (its tooltip); empty for none.
    virtual QString hint(int index) const = 0;
};

class PictureBox {
public:
    virtual ~PictureBox() = default;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isShown() const = 0;
    // Loads the bitmap at `path` (ji/…, relative to the gazetteer's root; see
    // glyph_overlay.h), replacing the image. A bitmap that cannot be loaded
    // leaves the box empty.
    virtual void load(const QString& path) = 0;
    // The path of the image the box holds, or empty when it holds none.
    virtual QString bitmap() const = 0;
};

class Caption {
public:
    virtual ~Caption() = default;
    virtual void setCaption(const QString& caption) = 0;
    virtual QString caption() const = 0;
};

// Modal boxes. The window answers them with real dialogs; tests answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box: title, text, one OK button, no icon.
    virtual void message(const QString& title, const QString& text) = 0;
    // An input dialog pre-filled with `initial`; returns the edited text on OK
    // and an empty text on Cancel.
    virtual QString input(const QString& prompt, const QString& title, const QString& initial) = 0;
};

// Non-owning handles to every control a handler touches, by role (the
// design's name of each beside it).
struct Controls {
    TextBox* provinceName = nullptr;       // Text1
    TextBox* commanderyName = nullptr;     // Text2
    TextBox* countyName = nullptr;         // Text3
    TextBox* commanderyReading = nullptr;  // Text4
    TextBox* countyReading = nullptr;      // Text5
    TextBox* households = nullptr;         // Text6
    TextBox* population = nullptr;         // Text7
    TextBox* cities = nullptr;             // Text8
    TextBox* countyRemarks = nullptr;      // Text9
    TextBox* countyProducts = nullptr;     // Text10
    TextBox* searchText = nullptr;         // Text11
    TextBox* commanderyRemarks = nullptr;  // Text12
    ListBox* commanderies = nullptr;       // List1
    ListBox* counties = nullptr;           // List2
    ListBox* provinces = nullptr;          // List3
    PictureBox* provinceGlyph = nullptr;          // Picture1
    PictureBox* commanderyFirstGlyph = nullptr;   // Picture2
    PictureBox* commanderySecondGlyph = nullptr;  // Picture3
    PictureBox* countyFirstGlyph = nullptr;       // Picture4
    PictureBox* countySecondGlyph = nullptr;      // Picture5
    Caption* prompt = nullptr;                    // Label1
    Dialogs* dialogs = nullptr;

    // The slot of `role`, for whoever builds a window from the control
    // table; nullptr when the role is not of that kind.
    TextBox** textSlot(ui::Role role);
    ListBox** listSlot(ui::Role role);
    PictureBox** pictureSlot(ui::Role role);
    // The same slots read back: the control in `role`, or nullptr.
    TextBox* text(ui::Role role) const;
    ListBox* list(ui::Role role) const;
    PictureBox* picture(ui::Role role) const;
};
