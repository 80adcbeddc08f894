#include "data/provinces.h"

namespace provinces {

const std::array<ProvinceRow, kCount>& rows() {
    static const std::array<ProvinceRow, kCount> table{{
        {QStringLiteral("司隸校尉"), QStringLiteral("司隸校尉"), format::countyFile(QStringLiteral("司隸")), {}},
        {QStringLiteral("豫州"), QStringLiteral("豫州"), format::countyFile(QStringLiteral("豫州")), {}},
        {QStringLiteral("冀州"), QStringLiteral("冀州"), format::countyFile(QStringLiteral("冀州")), {}},
        // 兗 has no CP932 code: listed in katakana, shown with a glyph.
        {QStringLiteral("エン州"), QStringLiteral("■州"), format::countyFile(QStringLiteral("エン州")), format::glyphPath(QStringLiteral("en4"))},
        {QStringLiteral("徐州"), QStringLiteral("徐州"), format::countyFile(QStringLiteral("徐州")), {}},
        {QStringLiteral("青州"), QStringLiteral("青州"), format::countyFile(QStringLiteral("青州")), {}},
        {QStringLiteral("荊州"), QStringLiteral("荊州"), format::countyFile(QStringLiteral("荊州")), {}},
        {QStringLiteral("揚州"), QStringLiteral("揚州"), format::countyFile(QStringLiteral("揚州")), {}},
        {QStringLiteral("益州"), QStringLiteral("益州"), format::countyFile(QStringLiteral("益州")), {}},
        {QStringLiteral("涼州"), QStringLiteral("涼州"), format::countyFile(QStringLiteral("涼州")), {}},
        {QStringLiteral("并州"), QStringLiteral("并州"), format::countyFile(QStringLiteral("并州")), {}},
        {QStringLiteral("幽州"), QStringLiteral("幽州"), format::countyFile(QStringLiteral("幽州")), {}},
        {QStringLiteral("交州"), QStringLiteral("交州"), format::countyFile(QStringLiteral("交州")), {}},
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
