// One reading per character: every name's reading must split into the
// readings data/char_readings.tsv allows its characters, and a character
// read two ways must say, for each name that takes its second reading, why
// (a rule of data/README.md, or a row of readings_review.tsv).
#pragma once

#include "data/format.h"

#include <QStringList>

namespace lint {

// The columns the check reads from char_readings.tsv and readings_review.tsv.
extern const QStringList kCharReadingColumns;
extern const QStringList kReadingReviewColumns;

// Every fault, one "file:line: what" each: a row of `rules` that is not
// well formed, written twice, a second reading without names, a basis
// or a review row, or a reading no name takes; a name of `names` (the
// provinces, commanderies and counties tables, each with name, traditional
// and reading, counties with their commandery) whose reading does not split
// into its characters' readings, or that takes a reading the table allows
// only elsewhere.
QStringList readingRuleFaults(const format::Tsv& rules, const format::Tsv& review,
                              const std::vector<const format::Tsv*>& names);

}  // namespace lint
