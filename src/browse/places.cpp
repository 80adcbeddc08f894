#include "browse/places.h"

#include "data/glyph_name.h"
#include "data/placeholders.h"
#include "data/provinces.h"

namespace places {

namespace {

QString provinceName(const ProvinceRow& row) {
    return glyphs::readableName(row.display, GlyphName::ofPath(row.glyph).base());
}

template <class Rec>
QString shownName(const Rec& r, const QString& name, const QString& reading) {
    if (!glyphs::hasPlaceholder(name))
        return {};
    const QString readable = glyphs::readableName(r);
    return readable == name ? QString() : text::joinItem(readable, reading);
}

}  // namespace

ItemLook Teller::look(const gunrec& r, const QString& name, const QString& reading) {
    const ProvinceRow* row = provinces::byLabel(text::cutValue(r.syumei));
    return {shownName(r, name, reading), row ? provinceName(*row) : QString()};
}

ItemLook Teller::look(const kenrec& r, const QString& file, const QString& name, const QString& reading) {
    const ProvinceRow* row = provinces::byCountyFile(file);
    if (!row)
        return {shownName(r, name, reading), {}};
    if (!commanderyGlyphs_) {
        commanderyGlyphs_.emplace();
        g_.scan<gunrec>(paths::kCommanderyFile, [&](const gunrec& c) {
            // The first commandery of a name in a province is the one a
            // county of that name lies in.
            const QString key = text::cutValue(c.syumei) + u'\t' + text::value(c.gunmei);
            if (!commanderyGlyphs_->contains(key))
                commanderyGlyphs_->insert(key, text::value(c.gunji));
            return true;
        });
    }
    const QString commandery = text::value(r.gunmei);
    const QString glyph = commanderyGlyphs_->value(row->label + u'\t' + commandery);
    return {shownName(r, name, reading),
            glyphs::readableName(commandery, glyph) + QStringLiteral("・") + provinceName(*row)};
}

void Teller::addNote(ItemLook& look, const QString& note) {
    if (!look.hint.isEmpty() && !note.isEmpty())
        look.hint += u'\n' + note;
}

}  // namespace places
