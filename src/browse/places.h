// The records behind list items: re-reading an item's record at its place,
// and what an item shows and tells of where its record lies.
#pragma once

#include "data/gazetteer.h"
#include "data/provinces.h"
#include "data/text_model.h"
#include "window/controls.h"

#include <QHash>
#include <array>
#include <QString>
#include <optional>

namespace places {

// The record `item` was made from, re-read at `place`; nullopt when the item
// has no place or the record there no longer reads as `item` (its file
// changed, shrank or went since the list was filled).
template <class Rec>
std::optional<Rec> recordOfItem(const Gazetteer& g, const RecordPlace& place, const QString& item) {
    std::optional<Rec> rec = g.recordAt<Rec>(place);
    if (rec && text::itemText(*rec) != item)
        rec.reset();
    return rec;
}

// The looks of the items one handler lists: each item's name with the real
// characters behind its placeholders (where its glyph names give them), and
// its hint, where its record lies: for a county "蜀郡・益州" (its commandery
// and province), for a commandery its province. A commandery's glyph is in
// its own record, so the first county whose commandery name has a
// placeholder reads the commandery file, once; a handler makes one Teller
// for its whole list.
class Teller {
public:
    explicit Teller(const Gazetteer& g) : g_(g) {}

    // `name` and `reading` are the record's values, already decoded.
    ItemLook look(const gunrec& r, const QString& name, const QString& reading);
    // `file` is the county file the record was read from.
    ItemLook look(const kenrec& r, const QString& file, const QString& name, const QString& reading);
    ItemLook look(const gunrec& r) { return look(r, text::value(r.gunmei), text::value(r.gunyomi)); }
    ItemLook look(const kenrec& r, const QString& file) {
        return look(r, file, text::value(r.kenmei), text::value(r.kenyomi));
    }

    // The commandery shown beside the list: its glyph is known without
    // reading the commandery file.
    void know(const gunrec& commandery);

    // Adds `note` (the other name an item was found by) on a line of its own
    // after where the record lies; an item that tells nothing of where it
    // lies tells no note either.
    static void addNote(ItemLook& look, const QString& note);

private:
    QString commanderyGlyph(const ProvinceRow& province, const QString& commandery);
    const QString& provinceName(const ProvinceRow& row);

    const Gazetteer& g_;
    // A list holds runs of one commandery's counties (or one province's
    // commanderies): the last hint is kept with the raw field it came from.
    std::array<char, sizeof(kenrec::gunmei)> lastCommandery_{};
    QString lastFile_, lastCountyHint_;
    const ProvinceRow* lastRow_ = nullptr;  // lastFile_'s province
    std::array<QString, provinces::kCount> provinceNames_;
    std::array<char, sizeof(gunrec::syumei)> lastProvince_{};
    QString lastProvinceHint_;
    bool haveCounty_ = false, haveProvince_ = false;
    // "province label\tcommandery name" -> gunji: what know() was told, and
    // the commandery file once a name with a placeholder needs it.
    QHash<QString, QString> glyphs_;
    bool scanned_ = false;
};

}  // namespace places
