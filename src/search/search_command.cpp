// The search button: every commandery or county whose name or reading
// contains the typed text, read afresh from the files on each click.
#include "data/provinces.h"
#include "data/record_file.h"
#include "data/text_model.h"
#include "search/messages.h"
#include "window/form.h"

namespace {

// Exact containment; an empty field contains nothing, not even "".
bool occursIn(const QString& needle, const QString& field) {
    return !field.isEmpty() && field.contains(needle, Qt::CaseSensitive);
}

}  // namespace

void Form::Command1_Click() {
    list(1).clear();
    list(2).clear();
    const QString needle = text(11).text();  // untrimmed: spaces are searched for

    if (kop == 1 || kop == 2) {
        const bool byName = kop == 1;
        // One place, advanced record by record: no copy of the path per record.
        RecordPlace place{kCommanderyFile, 0};
        scanRecords<gunrec>(kCommanderyFile, [&](const gunrec& r) {
            ++place.record;
            const QString key = byName ? text::value(r.gunmei) : text::value(r.gunyomi);
            if (occursIn(needle, key))
                list(1).append(byName ? text::joinItem(key, text::value(r.gunyomi))
                                      : text::joinItem(text::value(r.gunmei), key),
                               place);
            return true;
        });
        if (list(1).count() == 0)
            c_.dialogs->message(search::kTitle, search::kNotFound);
    } else if (kop == 3 || kop == 4) {
        const bool byName = kop == 3;
        for (const ProvinceRow& row : provinces::rows()) {
            RecordPlace place{row.countyFile, 0};
            scanRecords<kenrec>(row.countyFile, [&](const kenrec& r) {
                ++place.record;
                const QString key = byName ? text::value(r.kenmei) : text::value(r.kenyomi);
                if (occursIn(needle, key))
                    list(2).append(byName ? text::joinItem(key, text::value(r.kenyomi))
                                          : text::joinItem(text::value(r.kenmei), key),
                                   place);
                return true;
            });
        }
        c_.dialogs->message(search::kTitle,
                            list(2).count() == 0 ? search::kNotFound : search::kFinished);
    }
}
