// The search button: every commandery or county whose name, reading or
// remarks contain the typed text, read afresh from the files on each click.
// A name is also found by the characters behind its placeholders and by the
// other names of the index, which the same click reads.
#include "browse/places.h"
#include "data/placeholders.h"
#include "data/provinces.h"
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

ItemLook lookOf(places::Teller& teller, const gunrec& r, const RecordPlace&, const QString& name,
                const QString& reading) {
    return teller.look(r, name, reading);
}
ItemLook lookOf(places::Teller& teller, const kenrec& r, const RecordPlace& place, const QString& name,
                const QString& reading) {
    return teller.look(r, place.file, name, reading);
}

// One search over one kind of record: what is compared, and where.
class Finder {
public:
    Finder(const Gazetteer& g, QString needle, bool byName)
        : g_(g), teller_(g), needle_(std::move(needle)), byName_(byName) {}

    // The other names of `file`'s records that hold the text, read from its index.
    othernames::FileMatches othersIn(const QString& file) const {
        return g_.otherNames(file, needle_, byName_ ? othernames::Field::Name : othernames::Field::Reading);
    }

    // Appends record `place` to `list` when it matches: by its own field,
    // then (names only) by the characters its glyphs name, then by an
    // other name, which the item then shows after its reading.
    template <class Rec>
    void consider(const Rec& r, const RecordPlace& place, const othernames::FileMatches& hits,
                  ListBox& list) {
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
            list.append(item, place, lookOf(teller_, r, place, name, reading));
            return;
        }
        if (const othernames::Entry* e = othernames::entryFor(hits, place.record, name, reading)) {
            ItemLook look = lookOf(teller_, r, place, name, reading);
            // A reading of the record's own name tells the reading it was found by.
            const QString by = e->other == name || e->other == glyphs::readableName(r)
                                   ? e->otherReading
                                   : e->other;
            look.shown = (look.shown.isEmpty() ? item : look.shown) +
                         QStringLiteral("（%1）").arg(by);
            places::Teller::addNote(look, e->note.isEmpty() ? by : by + QStringLiteral("：") + e->note);
            list.append(item, place, std::move(look));
        }
    }

private:
    const Gazetteer& g_;
    places::Teller teller_;
    QString needle_;
    bool byName_;
};

}  // namespace

void Form::Command1_Click() {
    c_.commanderies->clear();
    c_.counties->clear();
    const QString needle = c_.searchText->text();  // untrimmed: spaces are searched for

    if (kop == kCommanderyNames || kop == kCommanderyReadings) {
        Finder finder(g_, needle, kop == kCommanderyNames);
        const othernames::FileMatches hits = finder.othersIn(kCommanderyFile);
        // One place, advanced record by record: no copy of the path per record.
        RecordPlace place{kCommanderyFile, 0};
        g_.scan<gunrec>(kCommanderyFile, [&](const gunrec& r) {
            ++place.record;
            finder.consider(r, place, hits, *c_.commanderies);
            return true;
        });
        if (c_.commanderies->count() == 0)
            c_.dialogs->message(search::kTitle, search::kNotFound);
    } else if (kop == kCountyNames || kop == kCountyReadings) {
        Finder finder(g_, needle, kop == kCountyNames);
        for (const ProvinceRow& row : provinces::rows()) {
            const othernames::FileMatches hits = finder.othersIn(row.countyFile);
            RecordPlace place{row.countyFile, 0};
            g_.scan<kenrec>(row.countyFile, [&](const kenrec& r) {
                ++place.record;
                finder.consider(r, place, hits, *c_.counties);
                return true;
            });
        }
        c_.dialogs->message(search::kTitle,
                            c_.counties->count() == 0 ? search::kNotFound : search::kFinished);
    } else if (kop == kCountyRemarks) {
        // The remarks and products as stored: where a character has no
        // code they hold its katakana, which is what is found.
        places::Teller teller(g_);
        for (const ProvinceRow& row : provinces::rows()) {
            RecordPlace place{row.countyFile, 0};
            g_.scan<kenrec>(row.countyFile, [&](const kenrec& r) {
                ++place.record;
                if (occursIn(needle, text::value(r.kenbiko)) || occursIn(needle, text::value(r.sanbutu)))
                    c_.counties->append(text::itemText(r), place, teller.look(r, place.file));
                return true;
            });
        }
        c_.dialogs->message(search::kTitle,
                            c_.counties->count() == 0 ? search::kNotFound : search::kFinished);
    }
}
