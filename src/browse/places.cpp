#include "browse/places.h"

#include "data/glyph_names.h"
#include "data/provinces.h"

#include <QFileInfo>

namespace places {

namespace {

QString provinceName(const ProvinceRow& row) {
    return glyphs::readableName(row.display, QFileInfo(row.glyph).completeBaseName());
}

}  // namespace

QString describe(const RecordPlace& place, const QString& item) {
    if (place.file == kCommanderyFile) {
        const std::optional<gunrec> gun = recordOfItem<gunrec>(place, item);
        if (!gun)
            return {};
        const ProvinceRow* row = provinces::byLabel(text::cutValue(gun->syumei));
        return row ? provinceName(*row) : QString();
    }
    const ProvinceRow* row = nullptr;
    for (const ProvinceRow& r : provinces::rows())
        if (r.countyFile == place.file)
            row = &r;
    const std::optional<kenrec> ken = row ? recordOfItem<kenrec>(place, item) : std::nullopt;
    if (!ken)
        return {};
    // The commandery's glyph is in its own record, in the commandery file.
    const QString commandery = text::value(ken->gunmei);
    QString glyph;
    scanRecords<gunrec>(kCommanderyFile, [&](const gunrec& r) {
        if (text::value(r.gunmei) != commandery || text::cutValue(r.syumei) != row->label)
            return true;
        glyph = text::value(r.gunji);
        return false;
    });
    return glyphs::readableName(commandery, glyph) + QStringLiteral("・") + provinceName(*row);
}

}  // namespace places
