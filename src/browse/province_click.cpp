// Choosing a province: a new browse starts from that province's commanderies.
#include "browse/places.h"
#include "data/provinces.h"
#include "data/record_file.h"
#include "data/text_model.h"
#include "window/form.h"

void Form::List3_Click() {
    list(1).clear();
    list(2).clear();
    hidePictures(1, 5);
    setMode(1);
    for (int n : {2, 3, 4, 5, 6, 7, 8, 9, 10, 12})
        text(n).setText(QString());

    // The list text is compared untrimmed, exactly as the user chose it.
    const QString label = list(3).selectedText();
    RecordPlace place{kCommanderyFile, 0};
    scanRecords<gunrec>(kCommanderyFile, [&](const gunrec& r) {
        ++place.record;
        if (text::value(r.syumei) == label)
            list(1).append(text::itemText(r), place, places::look(r));
        return true;
    });

    if (const ProvinceRow* row = provinces::byIndex(list(3).selectedIndex()))
        applyProvince(*row);
}
