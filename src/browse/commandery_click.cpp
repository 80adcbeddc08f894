// Choosing a commandery: show it with its province, list its counties.
#include "data/provinces.h"
#include "data/record_file.h"
#include "data/text_model.h"
#include "window/form.h"

void Form::List1_Click() {
    setMode(1);
    list(2).clear();
    // The county boxes are emptied, so their pictures go. The commandery's
    // pictures are set by each record shown; if none matches, the boxes keep
    // their text and so keep their pictures.
    hidePictures(4, 5);
    for (int n : {3, 5, 7, 9, 10})
        text(n).setText(QString());

    const QString name = text::nameHalf(list(1).selectedText());
    scanRecords<gunrec>(kCommanderyFile, [&](const gunrec& r) {
        if (text::value(r.gunmei) == name)
            showCommandery(r);
        return true;
    });

    // fname is the province of the last commandery shown (or the earlier one
    // when none matched).
    scanRecords<kenrec>(fname, [&](const kenrec& r) {
        if (text::value(r.gunmei) == name)
            list(2).append(text::itemText(r));
        return true;
    });
}
