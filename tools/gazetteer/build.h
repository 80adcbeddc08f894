// The gazetteer compiler's first step: reads the UTF-8 source in data/,
// checks it, and builds in memory everything the output directory will hold
// (the record files of syu/, the glyph bitmaps of ji/, the other-names index
// of betsu/), so that nothing is written unless the whole source is valid.
#pragma once

#include "glyph_render.h"
#include "map_output.h"

#include "data/other_names.h"
#include "data/records.h"

#include <QString>
#include <map>
#include <vector>

namespace gazetteer {

struct Compiled {
    std::vector<gunrec> commanderies;                  // syu/州郡.txt, source order
    std::vector<std::vector<kenrec>> counties;         // one per catalogue row
    std::map<QString, Glyph> glyphs;                   // path under the output dir -> glyph;
                                                       // its @2x variant is written beside it
    std::vector<othernames::Entry> otherNames;         // betsu/, in order
    std::vector<mapout::CountyRecord> mapCounties;     // every county, for chizu/
    mapout::Output map;                                // chizu/
};

// Reads provinces.tsv, commanderies.tsv, counties.tsv and katakana.tsv from
// `dataDir`, and other_names.tsv when it is there, and builds the records
// and the other-names index (other_names_index.h), and the map's files from
// data/map/ and locations.tsv when they are there (map_output.h). On a fault, returns false
// with a message that names the file and line.
bool build(const QString& dataDir, Compiled& out, QString* error);

}  // namespace gazetteer
