// The thirteen provinces (州): a fixed table, not read from any file. Its
// order is the order of the province list, of label look-ups and of visits
// to the county files.
#pragma once

#include "data/paths.h"

#include <QString>
#include <array>

struct ProvinceRow {
    QString label;        // shown in the province list and stored in syumei
    QString display;      // shown in the province name box
    QString countyFile;   // path of the province's county file
    QString glyph;        // bitmap covering the display text's first character, or empty
};

// The commandery file, common to all provinces; each row names its county file.
using paths::kCommanderyFile;

namespace provinces {

constexpr int kCount = 13;

// All rows in catalogue order.
const std::array<ProvinceRow, kCount>& rows();

// The row at list index `index`, or nullptr outside 0..12.
const ProvinceRow* byIndex(int index);

// The first row whose label equals `label` exactly, or nullptr.
const ProvinceRow* byLabel(const QString& label);

// The row whose county file is `path` (as the handlers open it), or nullptr.
const ProvinceRow* byCountyFile(const QString& path);

}  // namespace provinces
