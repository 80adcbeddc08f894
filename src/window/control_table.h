// The window's design as data: every control with its place, font and colours,
// the tab order and the menus. The Qt window is built from these rows and the
// tests compare the built widgets against them, so a change here is the only
// change a layout needs.
#pragma once

#include "data/twips.h"

#include <QRgb>
#include <QString>
#include <QStringView>
#include <optional>
#include <span>
#include <vector>

namespace ui {

enum class Kind { TextBox, Button, PictureBox, List, Label, Image, Shape };

// The four sizes of the window's one face.
enum class FontSize { None, Large, Medium, Small, List };

enum Flag : unsigned {
    kMultiLine = 1u << 0,    // wraps, no scroll bars
    kHidden = 1u << 1,       // hidden at start
    kTransparent = 1u << 2,  // the window background shows through
};

// Twips: 15 make one device-independent pixel at 96 dpi.
struct Rect {
    int left, top, width, height;
};

// What a control is to the handlers: the slot of Controls it fills, named
// for what it shows. The design's names (Text7, List2, Picture4) stay the
// widgets' object names; the handlers speak of roles.
enum class Role {
    None,
    // Text boxes
    ProvinceName,       // Text1
    CommanderyName,     // Text2
    CountyName,         // Text3
    CommanderyReading,  // Text4
    CountyReading,      // Text5
    Households,         // Text6
    Population,         // Text7
    Cities,             // Text8
    CountyRemarks,      // Text9
    CountyProducts,     // Text10
    SearchText,         // Text11
    CommanderyRemarks,  // Text12
    // Lists
    CommanderyList,  // List1
    CountyList,      // List2
    ProvinceList,    // List3
    // Glyph pictures over the names' first and second characters
    ProvinceGlyph,           // Picture1
    CommanderyFirstGlyph,    // Picture2
    CommanderySecondGlyph,   // Picture3
    CountyFirstGlyph,        // Picture4
    CountySecondGlyph,       // Picture5
    // The search prompt
    Prompt,  // Label1
};

// How many of each the window has (Text1..Text12, List1..List3,
// Picture1..Picture5); control_table.cpp checks the rows against them.
constexpr int kTextBoxes = 12;
constexpr int kLists = 3;
constexpr int kPictures = 5;

struct ControlRow {
    QStringView name;  // also the widget's objectName
    Kind kind;
    Role role;
    Rect twips;
    FontSize font;
    std::optional<QRgb> foreground;  // nullopt: the platform's default
    std::optional<QRgb> background;  // nullopt: the platform's default
    unsigned flags;
    QStringView caption;         // button and label text; empty otherwise
    QStringView accessibleName;  // what a screen reader says for the control
};

// Front to back: the first row is drawn on top of all the others.
std::span<const ControlRow> controlTable();
// The row filling `role`, or nullptr for Role::None.
const ControlRow* controlFor(Role role);
// The row named `name` (Text3, List1), or nullptr.
const ControlRow* controlNamed(QStringView name);

// Names in the order the Tab key walks through them.
std::span<const QStringView> tabOrder();

struct MenuRow {
    QString menu;     // objectName of the menu bar entry
    QString item;     // objectName of the item; empty for the bar entry itself
    QString caption;
};

// Left to right, each bar entry followed by its items top to bottom. An
// entry with no items acts on a click of its own title.
const std::vector<MenuRow>& menuTable();

constexpr QRgb kWindowBackground = 0xFF0000C0;
constexpr int kClientWidth = 9735;
constexpr int kClientHeight = 5985;

// Rounds to the nearest pixel; the design has positions such as 250 twips.
// The glyph bitmaps are drawn at the picture boxes' sizes the same way.
using twips::toPixels;

struct FontSpec {
    int pixelSize;
    bool bold;
};
// 15.75 pt = 21 px, 11.25 pt = 15 px, 9.75 pt = 13 px, 9 pt = 12 px at 96 dpi.
constexpr FontSpec fontSpec(FontSize size) {
    switch (size) {
    case FontSize::Large: return {21, false};
    case FontSize::Medium: return {15, true};
    case FontSize::Small: return {13, true};
    case FontSize::List: return {12, true};
    case FontSize::None: break;
    }
    return {0, false};
}

// The design's face first, then the proportional Japanese Gothic faces a
// Linux desktop is likely to have.
QStringList fontFamilies();

}  // namespace ui
