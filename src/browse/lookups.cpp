// The two lookups that let a county found by a search be shown with its
// commandery and province.
#include "data/provinces.h"
#include "data/text_model.h"
#include "window/form.h"

std::optional<QString> Form::kenkensaku(const QString& ken2) {
    const QString name = text::nameHalf(ken2);
    const QString reading = text::readingHalf(ken2);
    std::optional<QString> found;
    for (const ProvinceRow& row : provinces::rows()) {
        g_.scan<kenrec>(row.countyFile, [&](const kenrec& r) {
            if (text::value(r.kenmei) == name && text::value(r.kenyomi) == reading)
                found = text::value(r.gunmei);
            return !found;  // the first match ends the scan
        });
        if (found)
            break;
    }
    return found;
}

QString Form::kensakugun(const std::optional<QString>& gun2) {
    const QString name = gun2.value_or(QString());
    g_.scan<gunrec>(kCommanderyFile, [&](const gunrec& r) {
        if (text::value(r.gunmei) == name)
            showCommandery(r);
        return true;
    });
    return fname;
}
