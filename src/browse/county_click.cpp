// Choosing a county: show its details; in the county-search modes first find
// and show its commandery and province.
#include "data/record_file.h"
#include "data/text_model.h"
#include "window/form.h"

void Form::List2_Click() {
    hidePictures(4, 5);
    const QString item = list(2).selectedText();
    if (kop == 3 || kop == 4) {
        // The commandery lookup sets the province and commandery pictures of
        // the record it shows; when it shows none, the boxes keep their text
        // and their pictures.
        fname = kensakugun(kenkensaku(item));
    }

    const QString name = text::nameHalf(item);
    const QString reading = text::readingHalf(item);
    bool shown = false;
    scanRecords<kenrec>(fname, [&](const kenrec& r) {
        if (text::value(r.kenmei) == name && text::value(r.kenyomi) == reading) {
            showCounty(r);
            shown = true;
        }
        return true;
    });
    // Leaving the previous county's details beside the newly chosen item
    // would show the wrong county.
    if (!shown)
        for (int n : {3, 5, 9, 10})
            text(n).setText(QString());
}
