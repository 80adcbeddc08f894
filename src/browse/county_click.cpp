// Choosing a county: show its details; in the county-search modes (names,
// readings, remarks) first find and show its commandery and province.
#include "browse/places.h"
#include "data/provinces.h"
#include "window/form.h"

void Form::List2_Click() {
    hide({c_.countyFirstGlyph, c_.countySecondGlyph});
    const QString item = c_.counties->selectedText();
    const RecordPlace place = c_.counties->selectedPlace();
    // The record the item was made from, if it is still where it was.
    const std::optional<kenrec> own = places::recordOfItem<kenrec>(g_, place, item);

    if (searchesCounties(kop)) {
        // The commandery lookup sets the province and commandery pictures of
        // the record it shows; when it shows none, the boxes keep their text
        // and their pictures.
        fname = own ? showCommanderyOf(*own, place.file) : kensakugun(kenkensaku(item));
    }

    bool shown = false;
    if (own) {
        // A county of another province than the current one is not found, as
        // with a lookup by name in fname: it would be shown beside a
        // commandery it does not belong to.
        if (place.file == fname) {
            showCounty(*own);
            shown = true;
        }
    } else {
        const QString name = text::nameHalf(item);
        const QString reading = text::readingHalf(item);
        g_.scan<kenrec>(fname, [&](const kenrec& r) {
            if (text::value(r.kenmei) == name && text::value(r.kenyomi) == reading) {
                showCounty(r);
                shown = true;
            }
            return true;
        });
    }
    // Leaving the previous county's details beside the newly chosen item
    // would show the wrong county.
    if (!shown)
        clear({c_.countyName, c_.countyReading, c_.countyRemarks, c_.countyProducts});
}

QString Form::showCommanderyOf(const kenrec& county, const QString& countyFile) {
    const QString name = text::value(county.gunmei);
    const ProvinceRow* province = provinces::byCountyFile(countyFile);
    // A commandery name may stand in more than one province; the county's
    // own province decides.
    bool shown = false;
    if (province)
        g_.scan<gunrec>(kCommanderyFile, [&](const gunrec& r) {
            if (text::value(r.gunmei) == name && text::cutValue(r.syumei) == province->label) {
                showCommandery(r);
                shown = true;
            }
            return true;
        });
    return shown ? fname : kensakugun(name);
}
