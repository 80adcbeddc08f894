// Choosing a province: a new browse starts from that province's commanderies.
#include "browse/places.h"
#include "data/provinces.h"
#include "window/form.h"

void Form::List3_Click() {
    c_.commanderies->clear();
    c_.counties->clear();
    hide({c_.provinceGlyph, c_.commanderyFirstGlyph, c_.commanderySecondGlyph, c_.countyFirstGlyph,
          c_.countySecondGlyph});
    setMode(kCommanderyNames);
    clear({c_.commanderyName, c_.countyName, c_.commanderyReading, c_.countyReading, c_.households,
           c_.population, c_.cities, c_.countyRemarks, c_.countyProducts, c_.commanderyRemarks});

    // The list text is compared untrimmed, exactly as the user chose it.
    const QString label = c_.provinces->selectedText();
    places::Teller teller(g_);
    RecordPlace place{kCommanderyFile, 0};
    g_.scan<gunrec>(kCommanderyFile, [&](const gunrec& r) {
        ++place.record;
        if (text::value(r.syumei) == label)
            c_.commanderies->append(text::itemText(r), place, teller.look(r));
        return true;
    });

    if (const ProvinceRow* row = provinces::byIndex(c_.provinces->selectedIndex()))
        applyProvince(*row);
}
