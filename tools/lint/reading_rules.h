// One reading per character: every name's reading must split into the
// readings data/char_readings.tsv allows its characters, and a character
// read two ways must say, for each name that takes its second reading, why
// (a rule of data/README.md, or a row of readings_review.tsv).
#pragma once

#include "source_table.h"

#include <vector>

#include <QStringList>

namespace lint {

// A table of names and where it keeps them; `commandery` is -1 for a
// table whose names stand alone (provinces, commanderies).
struct NameTable {
    const source::Table* table;
    int name, traditional, reading, commandery;
};

// Every fault, one "file:line: what" each: a row of `rules` that is not
// well formed, written twice, a second reading without names, a basis
// or a review row, or a reading no name takes; a name of `names` (the
// provinces, commanderies and counties tables, each with name, traditional
// and reading, counties with their commandery) whose reading does not split
// into its characters' readings, or that takes a reading the table allows
// only elsewhere.
QStringList readingRuleFaults(const source::Table& rules, const source::Table& review,
                              const std::vector<NameTable>& names);

}  // namespace lint
