// Gazetteers for the benchmark: a copy of the compiled one, or a synthetic
// one of the same shape (13 provinces, commanderies with their counties,
// names of one to three kanji, kana readings, remarks near their field
// widths, a few glyph placeholders with their bitmaps) at any multiple.
#pragma once

#include "data/gazetteer.h"

#include <QString>

namespace benchdata {

struct Counts {
    int commanderies = 0;
    int counties = 0;
};

// Writes syu/, ji/ and the other-names index under `dir` (which must
// exist): 105 × scale commanderies and 1181 × scale counties, and index
// entries in the real index's proportion. Deterministic for a given scale.
bool writeSynthetic(const QString& dir, int scale, Counts* counts, QString* error);

// Copies the files of `from`/syu, `from`/ji and `from`/betsu into `to`.
// False when `from` has no commandery file or a copy fails.
bool copyGazetteer(const QString& from, const QString& to, QString* error);

// Counts the records of `g`.
Counts countRecords(const Gazetteer& g);

}  // namespace benchdata
