// Checks of the gazetteer source beyond what the compiler needs to build
// records: faults a reader would see in the text (a unit written twice, a
// note cut at the wrong place, a product its note does not name, katakana
// that is not the character's kan-on, 予 written for 豫).
#pragma once

#include <QString>
#include <QStringList>

namespace lint {

// Every fault in the source directory `dataDir` (counties.tsv,
// commanderies.tsv, provinces.tsv, katakana.tsv, kanon.tsv,
// other_names.tsv: an other name of no record, of an unknown kind, without
// a hiragana reading, a note or a source, a later name without its year,
// a row written twice; collation.tsv: a note the second edition has and
// counties.tsv lacks, a fixed note gone wrong again), one
// "file:line: what" each, in file order. Empty when the data is clean. A
// file that cannot be read or lacks a column is itself a fault.
QStringList check(const QString& dataDir);

}  // namespace lint
