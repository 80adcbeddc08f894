#include "browse/places.h"

#include "data/glyph_name.h"
#include "data/placeholders.h"
#include "data/provinces.h"

#include <cstring>
#include <string_view>

namespace places {

namespace {

// The placeholders' CP932 codes, to pass over a commandery record whose name
// has none without decoding it.
constexpr char kBlackCode[] = "\x81\xa1", kWhiteCode[] = "\x81\xa0";

bool mayHavePlaceholder(const char* field, std::size_t width) {
    const std::string_view bytes(field, width);
    return bytes.find(kBlackCode) != std::string_view::npos || bytes.find(kWhiteCode) != std::string_view::npos;
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
    if (!haveProvince_ || std::memcmp(lastProvince_.data(), r.syumei, sizeof r.syumei) != 0) {
        const ProvinceRow* row = provinces::byLabel(text::cutValue(r.syumei));
        std::memcpy(lastProvince_.data(), r.syumei, sizeof r.syumei);
        lastProvinceHint_ = row ? provinceName(*row) : QString();
        haveProvince_ = true;
    }
    return {shownName(r, name, reading), lastProvinceHint_};
}

ItemLook Teller::look(const kenrec& r, const QString& file, const QString& name, const QString& reading) {
    if (!haveCounty_ || lastFile_ != file || std::memcmp(lastCommandery_.data(), r.gunmei, sizeof r.gunmei) != 0) {
        if (!haveCounty_ || lastFile_ != file)
            lastRow_ = provinces::byCountyFile(file);
        const ProvinceRow* row = lastRow_;
        const QString commandery = text::value(r.gunmei);
        lastCountyHint_ = !row ? QString()
                               : glyphs::readableName(commandery, commanderyGlyph(*row, commandery)) +
                                     QStringLiteral("・") + provinceName(*row);
        std::memcpy(lastCommandery_.data(), r.gunmei, sizeof r.gunmei);
        lastFile_ = file;
        haveCounty_ = true;
    }
    return {shownName(r, name, reading), lastCountyHint_};
}

QString Teller::commanderyGlyph(const ProvinceRow& province, const QString& commandery) {
    // A name without a placeholder reads the same whatever its glyph.
    if (!glyphs::hasPlaceholder(commandery))
        return {};
    const QString key = province.label + u'\t' + commandery;
    if (!glyphs_.contains(key) && !scanned_) {
        scanned_ = true;
        g_.scan<gunrec>(paths::kCommanderyFile, [&](const gunrec& c) {
            if (!mayHavePlaceholder(c.gunmei, sizeof c.gunmei))
                return true;
            // The first commandery of a name in a province is the one a
            // county of that name lies in.
            const QString k = text::cutValue(c.syumei) + u'\t' + text::value(c.gunmei);
            if (!glyphs_.contains(k))
                glyphs_.insert(k, text::value(c.gunji));
            return true;
        });
    }
    return glyphs_.value(key);
}

const QString& Teller::provinceName(const ProvinceRow& row) {
    QString& name = provinceNames_[static_cast<std::size_t>(&row - provinces::rows().data())];
    if (name.isNull())
        name = glyphs::readableName(row.display, GlyphName::ofPath(row.glyph).base());
    return name;
}

void Teller::know(const gunrec& commandery) {
    glyphs_.insert(text::cutValue(commandery.syumei) + u'\t' + text::value(commandery.gunmei),
                   text::value(commandery.gunji));
}

void Teller::addNote(ItemLook& look, const QString& note) {
    if (!look.hint.isEmpty() && !note.isEmpty())
        look.hint += u'\n' + note;
}

}  // namespace places
