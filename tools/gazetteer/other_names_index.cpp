#include "other_names_index.h"

#include <algorithm>
#include <tuple>

namespace gazetteer {
namespace {

// The index's entries for one record: an other name, then its traditional
// and simplified forms where they differ from it and from the record's own.
void addForms(const NamedRecord& n, const QString& kind, const QString& other, const QString& reading,
              const QString& note, bool derive, const ChineseForms& forms,
              std::vector<othernames::Entry>& out) {
    // A name the record already has is found without an entry.
    QStringList seen;
    if (derive)
        seen << n.name;
    auto add = [&](const QString& form, const QString& k) {
        if (form.isEmpty() || seen.contains(form))
            return;
        seen << form;
        out.push_back({n.place, n.stored, n.reading, k, form, reading, note});
    };
    add(other, kind);
    if (!derive)
        return;
    const QString traditional = forms.traditional(other);
    add(traditional, kind);
    add(forms.simplified(traditional), kind);
}

}  // namespace

bool deriveOtherNames(const source::Table* t, const NamedIndex& byName, const ChineseForms& forms,
                      std::vector<othernames::Entry>& out, QString* error) {
    if (!forms.ok()) {
        *error = QStringLiteral("OpenCC's t2s and jp2t conversions cannot be loaded (opencc)");
        return false;
    }
    std::vector<const NamedRecord*> records;
    for (const auto& [name, c] : byName) {
        records.push_back(&c.self);
        for (const auto& [county, n] : c.counties)
            records.push_back(&n);
    }
    std::sort(records.begin(), records.end(), [](const NamedRecord* a, const NamedRecord* b) {
        return a->place.file != b->place.file ? a->place.file < b->place.file
                                              : a->place.record < b->place.record;
    });
    for (const NamedRecord* n : records) {
        // The treatise's form is no later name: its reading is the record's.
        QStringList seen{n->name};
        for (const auto& [form, kind, note] :
             {std::tuple{n->traditional, QStringLiteral("traditional"), QStringLiteral("後漢書 郡国志の字形")},
              std::tuple{forms.simplified(n->traditional), QStringLiteral("simplified"), QStringLiteral("簡体字")}}) {
            if (form.isEmpty() || seen.contains(form))
                continue;
            seen << form;
            out.push_back({n->place, n->stored, n->reading, kind, form, QString(), note});
        }
    }
    if (!t)
        return true;
    namespace col = source::other;
    for (const source::Row& r : t->rows) {
        const QString at = t->where(r.line);
        const auto c = byName.find(r[col::commandery]);
        if (c == byName.end()) {
            *error = at + QStringLiteral("commandery \"%1\" is not in commanderies.tsv").arg(r[col::commandery]);
            return false;
        }
        const NamedRecord* n = &c->second.self;
        if (!r[col::county].isEmpty()) {
            const auto k = c->second.counties.find(r[col::county]);
            if (k == c->second.counties.end()) {
                *error = at + QStringLiteral("county \"%1\" is not in %2").arg(r[col::county], r[col::commandery]);
                return false;
            }
            n = &k->second;
        }
        if (!source::kOtherKinds.contains(r[col::kind])) {
            *error = at + QStringLiteral("kind \"%1\" is not one of %2").arg(r[col::kind], source::kOtherKinds.join(u' '));
            return false;
        }
        if (r[col::name].isEmpty() || !source::isHiragana(r[col::reading])) {
            *error = at + QStringLiteral("an other name needs a name and a reading in hiragana");
            return false;
        }
        // A reading row names the record itself: no other forms to derive.
        addForms(*n, r[col::kind], r[col::name], r[col::reading], r[col::note],
                 r[col::kind] != QLatin1String("reading"), forms, out);
    }
    for (const othernames::Entry& e : out) {
        if (othernames::formatLine(e).isEmpty()) {
            *error = QStringLiteral("%1: the other name \"%2\" of %3 cannot be written to the index")
                         .arg(t->path, e.other, e.name);
            return false;
        }
    }
    return true;
}

}  // namespace gazetteer
