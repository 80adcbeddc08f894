// The few operations the handlers perform on the window's controls. The real
// Qt widgets and the in-memory controls of the tests both implement them, so
// the same scenarios run on either.
#pragma once

#include "data/record_place.h"
#include "window/control_table.h"

#include <QString>
#include <array>

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
};

// How a placed item shows where that differs from its text, which the
// handlers split and compare: `shown` is what the user reads and a screen
// reader says (the real characters behind placeholders, the other name it
// was found by), `note` what its tooltip adds to where the record lies.
// Empty: the item text; no note.
struct ItemLook {
    QString shown;
    QString note;
};

// A single-column, single-selection list that keeps items in append order.
// An item may keep, unseen, the place of the record it was made from.
class ListBox {
public:
    virtual ~ListBox() = default;
    virtual void clear() = 0;
    // An item with no place (selectedPlace() then gives record 0).
    virtual void append(const QString& item) = 0;
    virtual void append(const QString& item, const RecordPlace& place, const ItemLook& look) = 0;
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
};

class PictureBox {
public:
    virtual ~PictureBox() = default;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isShown() const = 0;
    // Loads the bitmap at `path` (see glyph_overlay.h), replacing the image.
    // A bitmap that cannot be loaded leaves the box empty.
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

// Non-owning handles to every control a handler touches, numbered as in the
// control table (index 0 of each array is unused).
struct Controls {
    std::array<TextBox*, ui::kTextBoxes + 1> text{};
    std::array<ListBox*, ui::kLists + 1> list{};
    std::array<PictureBox*, ui::kPictures + 1> picture{};
    Caption* label1 = nullptr;  // the search prompt
    Dialogs* dialogs = nullptr;
};
