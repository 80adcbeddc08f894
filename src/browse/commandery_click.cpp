// Choosing a commandery: show it with its province, list its counties.
#include "browse/places.h"
#include "data/provinces.h"
#include "window/form.h"

void Form::List1_Click() {
    setMode(kCommanderyNames);
    c_.counties->clear();
    // The county boxes (name, reading, remarks, products) and the population
    // box (口数, which the record shown fills again) are emptied; the county
    // name's pictures go with it. The commandery's pictures are set by the
    // record shown.
    hide({c_.countyFirstGlyph, c_.countySecondGlyph});
    clear({c_.countyName, c_.countyReading, c_.population, c_.countyRemarks, c_.countyProducts});

    const QString item = c_.commanderies->selectedText();
    QString name = text::nameHalf(item);
    bool shown = false;
    places::Teller teller(g_);
    // An item made from a record is that record: another commandery of the
    // same name must not take its place. Without a place, or when the file
    // changed since the list was filled, every record of the name is shown
    // in turn and the last stays.
    if (const auto own = places::recordOfItem<gunrec>(g_, c_.commanderies->selectedPlace(), item)) {
        showCommandery(*own);
        teller.know(*own);
        name = text::value(own->gunmei);  // whole, should it hold a space
        shown = true;
    } else {
        g_.scan<gunrec>(kCommanderyFile, [&](const gunrec& r) {
            if (text::value(r.gunmei) == name) {
                showCommandery(r);
                teller.know(r);
                shown = true;
            }
            return true;
        });
    }
    // Leaving the previous commandery beside a new county list would tell
    // the user the counties belong to it.
    if (!shown) {
        clear({c_.commanderyName, c_.commanderyReading, c_.households, c_.population, c_.cities,
               c_.commanderyRemarks});
        hide({c_.commanderyFirstGlyph, c_.commanderySecondGlyph});
    }

    // fname is the province of the commandery shown (or the earlier one when
    // none matched).
    RecordPlace place{fname, 0};
    g_.scan<kenrec>(place.file, [&](const kenrec& r) {
        ++place.record;
        if (text::value(r.gunmei) == name)
            c_.counties->append(text::itemText(r), place, teller.look(r, place.file));
        return true;
    });
}
