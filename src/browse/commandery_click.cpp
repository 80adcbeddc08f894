// Choosing a commandery: show it with its province, list its counties.
#include "browse/places.h"
#include "data/provinces.h"
#include "data/record_file.h"
#include "data/text_model.h"
#include "window/form.h"

void Form::List1_Click() {
    setMode(1);
    list(2).clear();
    // The county boxes (name, reading, remarks, products) and the population
    // box (口数, Text7, which the record shown fills again) are emptied; the
    // county name's pictures go with it. The commandery's pictures are set by
    // the record shown.
    hidePictures(4, 5);
    for (int n : {3, 5, 7, 9, 10})
        text(n).setText(QString());

    const QString item = list(1).selectedText();
    QString name = text::nameHalf(item);
    bool shown = false;
    // An item made from a record is that record: another commandery of the
    // same name must not take its place. Without a place, or when the file
    // changed since the list was filled, every record of the name is shown
    // in turn and the last stays.
    if (const auto own = places::recordOfItem<gunrec>(list(1).selectedPlace(), item)) {
        showCommandery(*own);
        name = text::value(own->gunmei);  // whole, should it hold a space
        shown = true;
    } else {
        scanRecords<gunrec>(kCommanderyFile, [&](const gunrec& r) {
            if (text::value(r.gunmei) == name) {
                showCommandery(r);
                shown = true;
            }
            return true;
        });
    }
    // Leaving the previous commandery beside a new county list would tell
    // the user the counties belong to it.
    if (!shown) {
        for (int n : {2, 4, 6, 7, 8, 12})
            text(n).setText(QString());
        hidePictures(2, 3);
    }

    // fname is the province of the commandery shown (or the earlier one when
    // none matched).
    RecordPlace place{fname, 0};
    scanRecords<kenrec>(place.file, [&](const kenrec& r) {
        ++place.record;
        if (text::value(r.gunmei) == name)
            list(2).append(text::itemText(r), place, places::look(r));
        return true;
    });
}
