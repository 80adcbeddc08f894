// The two record layouts of the gazetteer files: every field fixed-width
// CP932 text, padded with spaces. Each layout is written once, in the list
// below; the record structs, the field tables (for the writer, the dump and
// whatever walks a record field by field) and the writers' value structs
// are all made from it, so a field cannot be added to one and not the others.
#pragma once

#include <array>
#include <cstddef>
#include <type_traits>

// name, width in bytes, what it holds
#define QM_GUNREC_FIELDS(X)                                                                  \
    X(syumei, 10, "province list label") X(gunmei, 12, "commandery name; ■ marks a glyph")  \
    X(gunyomi, 30, "reading, kana") X(gunji, 12, "base name of the glyph bitmap in ji/")    \
    X(yobi, 12, "unused") X(jyo, 2, "cities") X(kosu, 10, "households")                     \
    X(kousu, 10, "population") X(gunbiko, 62, "remarks")

#define QM_KENREC_FIELDS(X)                                                                  \
    X(yobi, 10, "unused") X(gunmei, 12, "its commandery") X(kenmei, 12, "county name")       \
    X(kenyomi, 20, "reading, kana") X(kenji, 12, "glyph for ■") X(kenji2, 12, "glyph for □") \
    X(kenbiko, 100, "remarks") X(sanbutu, 26, "products")

#define QM_DECLARE_FIELD(name, width, what) char name[width];

// A commandery (郡): one 160-byte record of syu/州郡.txt.
struct gunrec {
    QM_GUNREC_FIELDS(QM_DECLARE_FIELD)
};

// A county (県): one 204-byte record of a province's county file.
struct kenrec {
    QM_KENREC_FIELDS(QM_DECLARE_FIELD)
};

#undef QM_DECLARE_FIELD

static_assert(sizeof(gunrec) == 160, "commandery record is 160 bytes");
static_assert(sizeof(kenrec) == 204, "county record is 204 bytes");

namespace fields {

// One field of a layout: its name in the layout, where it starts, its width.
struct Field {
    const char* name;
    std::size_t offset;
    std::size_t width;
};

#define QM_FIELD_ROW(rec, name, width) Field{#name, offsetof(rec, name), width},
#define QM_GUN_ROW(name, width, what) QM_FIELD_ROW(gunrec, name, width)
#define QM_KEN_ROW(name, width, what) QM_FIELD_ROW(kenrec, name, width)
inline constexpr std::array kGun{QM_GUNREC_FIELDS(QM_GUN_ROW)};
inline constexpr std::array kKen{QM_KENREC_FIELDS(QM_KEN_ROW)};
#undef QM_KEN_ROW
#undef QM_GUN_ROW
#undef QM_FIELD_ROW

// The table of a layout, in record order.
template <class Rec>
constexpr const auto& of() {
    static_assert(std::is_same_v<Rec, gunrec> || std::is_same_v<Rec, kenrec>);
    if constexpr (std::is_same_v<Rec, gunrec>)
        return kGun;
    else
        return kKen;
}

// Each table covers its record byte for byte, in order.
template <class Rec>
constexpr bool covers() {
    std::size_t at = 0;
    for (const Field& s : of<Rec>()) {
        if (s.offset != at)
            return false;
        at += s.width;
    }
    return at == sizeof(Rec);
}
static_assert(covers<gunrec>() && covers<kenrec>());

}  // namespace fields
