#include "data/provinces.h"

#include "data/glyph_name.h"

namespace provinces {

const std::array<ProvinceRow, kCount>& rows() {
    static const std::array<ProvinceRow, kCount> table{{
        {QStringLiteral("司隸校尉"), QStringLiteral("司隸校尉"), paths::countyFile(QStringLiteral("司隸")), {}},
        {QStringLiteral("豫州"), QStringLiteral("豫州"), paths::countyFile(QStringLiteral("豫州")), {}},
        {QStringLiteral("冀州"), QStringLiteral("冀州"), paths::countyFile(QStringLiteral("冀州")), {}},
        // 兗 has no CP932 code: listed in katakana, shown with a glyph.
        {QStringLiteral("エン州"), QStringLiteral("■州"), paths::countyFile(QStringLiteral("エン州")), GlyphName(QStringLiteral("en4")).path()},
        {QStringLiteral("徐州"), QStringLiteral("徐州"), paths::countyFile(QStringLiteral("徐州")), {}},
        {QStringLiteral("青州"), QStringLiteral("青州"), paths::countyFile(QStringLiteral("青州")), {}},
        {QStringLiteral("荊州"), QStringLiteral("荊州"), paths::countyFile(QStringLiteral("荊州")), {}},
        {QStringLiteral("揚州"), QStringLiteral("揚州"), paths::countyFile(QStringLiteral("揚州")), {}},
        {QStringLiteral("益州"), QStringLiteral("益州"), paths::countyFile(QStringLiteral("益州")), {}},
        {QStringLiteral("涼州"), QStringLiteral("涼州"), paths::countyFile(QStringLiteral("涼州")), {}},
        {QStringLiteral("并州"), QStringLiteral("并州"), paths::countyFile(QStringLiteral("并州")), {}},
        {QStringLiteral("幽州"), QStringLiteral("幽州"), paths::countyFile(QStringLiteral("幽州")), {}},
        {QStringLiteral("交州"), QStringLiteral("交州"), paths::countyFile(QStringLiteral("交州")), {}},
    }};
    return table;
}

const ProvinceRow* byIndex(int index) {
    if (index < 0 || index >= kCount)
        return nullptr;
    return &rows()[static_cast<std::size_t>(index)];
}

const ProvinceRow* byLabel(const QString& label) {
    for (const ProvinceRow& r : rows())
        if (r.label == label)
            return &r;
    return nullptr;
}

const ProvinceRow* byCountyFile(const QString& path) {
    for (const ProvinceRow& r : rows())
        if (r.countyFile == path)
            return &r;
    return nullptr;
}

}  // namespace provinces
