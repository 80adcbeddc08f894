// The search button: every commandery or county whose name, reading or
// remarks contain the typed text, read afresh from the files on each click.
// A name is also found by the characters behind its placeholders and by the
// other names of the index, which the same click reads.
#include "browse/places.h"
#include "data/glyph_names.h"
#include "data/other_names.h"
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

QString nameOf(const gunrec& r) { return text::value(r.gunmei); }
QString nameOf(const kenrec& r) { return text::value(r.kenmei); }
QString readingOf(const gunrec& r) { return text::value(r.gunyomi); }
QString readingOf(const kenrec& r) { return text::value(r.kenyomi); }

// One search over one kind of record: what is compared, and where.
class Finder {
public:
    Finder(QString needle, bool byName) : needle_(std::move(needle)), byName_(byName) {}

    // The other names of `file`'s records that hold the text, read from its index.
    othernames::FileMatches othersIn(const QString& file) const {
        return othernames::find(format::indexFileFor(file), file, needle_,
                                byName_ ? othernames::Field::Name : othernames::Field::Reading);
    }

    // Appends record `place` to `list` when it matches: by its own field,
    // then (names only) by the characters its glyphs name, then by an
    // other name, which the item then shows after its reading.
    template <class Rec>
    void consider(const Rec& r, const RecordPlace& place, const othernames::FileMatches& hits,
                  ListBox& list) const {
        // Each field is decoded once, and the second only for a record listed
        // or named by the index.
        const QString own = byName_ ? nameOf(r) : readingOf(r);
        const bool found = occursIn(needle_, own) ||
                           (byName_ && glyphs::hasPlaceholder(own) &&
                            occursIn(needle_, glyphs::readableName(r)));
        if (!found && !hits.contains(place.record))
            return;
        const QString second = byName_ ? readingOf(r) : nameOf(r);
        const QString& name = byName_ ? own : second;
        const QString& reading = byName_ ? second : own;
        const QString item = text::joinItem(name, reading);
        if (found) {
            list.append(item, place, places::look(r, name, reading));
            return;
        }
        if (const othernames::Entry* e = othernames::entryFor(hits, place.record, name, reading)) {
            ItemLook look = places::look(r, name, reading);
            // A reading of the record's own name tells the reading it was found by.
            const QString by = e->other == name || e->other == glyphs::readableName(r)
                                   ? e->otherReading
                                   : e->other;
            look.shown = (look.shown.isEmpty() ? item : look.shown) +
                         QStringLiteral("（%1）").arg(by);
            look.note = e->note.isEmpty() ? by : by + QStringLiteral("：") + e->note;
            list.append(item, place, look);
        }
    }

private:
    QString needle_;
    bool byName_;
};

}  // namespace

void Form::Command1_Click() {
    list(1).clear();
    list(2).clear();
    const QString needle = text(11).text();  // untrimmed: spaces are searched for

    if (kop == 1 || kop == 2) {
        const Finder finder(needle, kop == 1);
        const othernames::FileMatches hits = finder.othersIn(kCommanderyFile);
        // One place, advanced record by record: no copy of the path per record.
        RecordPlace place{kCommanderyFile, 0};
        scanRecords<gunrec>(kCommanderyFile, [&](const gunrec& r) {
            ++place.record;
            finder.consider(r, place, hits, list(1));
            return true;
        });
        if (list(1).count() == 0)
            c_.dialogs->message(search::kTitle, search::kNotFound);
    } else if (kop == 3 || kop == 4) {
        const Finder finder(needle, kop == 3);
        for (const ProvinceRow& row : provinces::rows()) {
            const othernames::FileMatches hits = finder.othersIn(row.countyFile);
            RecordPlace place{row.countyFile, 0};
            scanRecords<kenrec>(row.countyFile, [&](const kenrec& r) {
                ++place.record;
                finder.consider(r, place, hits, list(2));
                return true;
            });
        }
        c_.dialogs->message(search::kTitle,
                            list(2).count() == 0 ? search::kNotFound : search::kFinished);
    } else if (kop == 5) {
        // The remarks and products as stored: where a character has no
        // code they hold its katakana, which is what is found.
        for (const ProvinceRow& row : provinces::rows()) {
            RecordPlace place{row.countyFile, 0};
            scanRecords<kenrec>(row.countyFile, [&](const kenrec& r) {
                ++place.record;
                if (occursIn(needle, text::value(r.kenbiko)) || occursIn(needle, text::value(r.sanbutu)))
                    list(2).append(text::itemText(r), place, places::look(r));
                return true;
            });
        }
        c_.dialogs->message(search::kTitle,
                            list(2).count() == 0 ? search::kNotFound : search::kFinished);
    }
}
