// Deriving the other-names index (betsu/) from the records and from
// other_names.tsv: every record's treatise form and its simplified Chinese
// form, then each row of the table with its traditional and simplified forms.
#pragma once

#include "chinese_forms.h"
#include "source_table.h"

#include "data/other_names.h"
#include "data/record_place.h"

#include <QString>
#include <map>
#include <vector>

namespace gazetteer {

// A record as the index names it.
struct NamedRecord {
    RecordPlace place;
    QString stored;       // name value as stored, placeholders included
    QString reading;
    QString name;         // the source's name, real characters
    QString traditional;  // the treatise's form
};

// A commandery's record and its counties' by their source names.
struct NamedCommandery {
    NamedRecord self;
    std::map<QString, NamedRecord> counties;
};
using NamedIndex = std::map<QString, NamedCommandery>;  // source name -> commandery

// The index's entries, in order: each record's own forms (record order),
// then the table's rows (`table` may be null: there is no other_names.tsv).
// False with a message naming file and line for a row of no record, an
// unknown kind, a name or reading missing, or an entry that cannot be
// written to the index.
bool deriveOtherNames(const source::Table* table, const NamedIndex& records, const ChineseForms& forms,
                      std::vector<othernames::Entry>& out, QString* error);

}  // namespace gazetteer
