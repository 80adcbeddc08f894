#include "window/controls.h"

using ui::Role;

namespace {

// One switch per kind serves the slot and its read-back alike.
template <class C>
auto textIn(C& c, Role role) -> decltype(&c.provinceName) {
    switch (role) {
    case Role::ProvinceName: return &c.provinceName;
    case Role::CommanderyName: return &c.commanderyName;
    case Role::CountyName: return &c.countyName;
    case Role::CommanderyReading: return &c.commanderyReading;
    case Role::CountyReading: return &c.countyReading;
    case Role::Households: return &c.households;
    case Role::Population: return &c.population;
    case Role::Cities: return &c.cities;
    case Role::CountyRemarks: return &c.countyRemarks;
    case Role::CountyProducts: return &c.countyProducts;
    case Role::SearchText: return &c.searchText;
    case Role::CommanderyRemarks: return &c.commanderyRemarks;
    default: return nullptr;
    }
}

template <class C>
auto listIn(C& c, Role role) -> decltype(&c.commanderies) {
    switch (role) {
    case Role::CommanderyList: return &c.commanderies;
    case Role::CountyList: return &c.counties;
    case Role::ProvinceList: return &c.provinces;
    default: return nullptr;
    }
}

template <class C>
auto pictureIn(C& c, Role role) -> decltype(&c.provinceGlyph) {
    switch (role) {
    case Role::ProvinceGlyph: return &c.provinceGlyph;
    case Role::CommanderyFirstGlyph: return &c.commanderyFirstGlyph;
    case Role::CommanderySecondGlyph: return &c.commanderySecondGlyph;
    case Role::CountyFirstGlyph: return &c.countyFirstGlyph;
    case Role::CountySecondGlyph: return &c.countySecondGlyph;
    default: return nullptr;
    }
}

template <class T>
T* read(T* const* slot) { return slot ? *slot : nullptr; }

}  // namespace

TextBox** Controls::textSlot(Role role) { return textIn(*this, role); }
ListBox** Controls::listSlot(Role role) { return listIn(*this, role); }
PictureBox** Controls::pictureSlot(Role role) { return pictureIn(*this, role); }
TextBox* Controls::text(Role role) const { return read(textIn(*this, role)); }
ListBox* Controls::list(Role role) const { return read(listIn(*this, role)); }
PictureBox* Controls::picture(Role role) const { return read(pictureIn(*this, role)); }
