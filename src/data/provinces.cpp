#include "data/provinces.h"

namespace provinces {

const std::array<ProvinceRow, kCount>& rows() {
    static const std::array<ProvinceRow, kCount> table{{
        {QStringLiteral("司隸校尉"), QStringLiteral("司隸校尉"), QStringLiteral("syu/司隸.txt"), {}},
        {QStringLiteral("豫州"), QStringLiteral("豫州"), QStringLiteral("syu/豫州.txt"), {}},
        {QStringLiteral("冀州"), QStringLiteral("冀州"), QStringLiteral("syu/冀州.txt"), {}},
        // 兗 has no CP932 code: listed in katakana, shown with a glyph.
        {QStringLiteral("エン州"), QStringLiteral("■州"), QStringLiteral("syu/エン州.txt"), QStringLiteral("ji/en4.bmp")},
        {QStringLiteral("徐州"), QStringLiteral("徐州"), QStringLiteral("syu/徐州.txt"), {}},
        {QStringLiteral("青州"), QStringLiteral("青州"), QStringLiteral("syu/青州.txt"), {}},
        {QStringLiteral("荊州"), QStringLiteral("荊州"), QStringLiteral("syu/荊州.txt"), {}},
        {QStringLiteral("揚州"), QStringLiteral("揚州"), QStringLiteral("syu/揚州.txt"), {}},
        {QStringLiteral("益州"), QStringLiteral("益州"), QStringLiteral("syu/益州.txt"), {}},
        {QStringLiteral("涼州"), QStringLiteral("涼州"), QStringLiteral("syu/涼州.txt"), {}},
        {QStringLiteral("并州"), QStringLiteral("并州"), QStringLiteral("syu/并州.txt"), {}},
        {QStringLiteral("幽州"), QStringLiteral("幽州"), QStringLiteral("syu/幽州.txt"), {}},
        {QStringLiteral("交州"), QStringLiteral("交州"), QStringLiteral("syu/交州.txt"), {}},
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

}  // namespace provinces
