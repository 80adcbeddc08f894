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
    const ProvinceRow* row = provinces::byCountyFile(place.file);
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

namespace {

template <class Rec>
ItemLook lookOf(const Rec& r, const QString& name, const QString& reading) {
    if (!glyphs::hasPlaceholder(name))
        return {};
    const QString readable = glyphs::readableName(r);
    return {readable == name ? QString() : text::joinItem(readable, reading), {}};
}

}  // namespace

ItemLook look(const gunrec& r) { return lookOf(r, text::value(r.gunmei), text::value(r.gunyomi)); }
ItemLook look(const kenrec& r) { return lookOf(r, text::value(r.kenmei), text::value(r.kenyomi)); }
ItemLook look(const gunrec& r, const QString& name, const QString& reading) {
    return lookOf(r, name, reading);
}
ItemLook look(const kenrec& r, const QString& name, const QString& reading) {
    return lookOf(r, name, reading);
}

QString hint(const RecordPlace& place, const QString& item, const QString& note) {
    const QString where = describe(place, item);
    // A record that no longer reads as the item has no note either.
    return where.isEmpty() || note.isEmpty() ? where : where + u'\n' + note;
}

}  // namespace places
