// The gazetteer compiler: reads the UTF-8 source in data/ and writes the
// record files (syu/), glyph bitmaps (ji/) and the other-names index
// (betsu/) the program reads.
#pragma once

#include "data/other_names.h"
#include "map_output.h"
#include "data/records.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace gazetteer {

// One picture to render: a character the name boxes cannot show, at the size
// of the box that covers it.
struct Glyph {
    char32_t code = 0;
    int width = 0;
    int height = 0;
};

// Everything the output directory will hold, built in memory first so that
// nothing is written unless the whole source is valid.
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
// and the other-names index: for every record its treatise form and that
// form's simplified Chinese (OpenCC t2s) where they differ from its name,
// then each row of other_names.tsv with its traditional and simplified
// forms (OpenCC jp2t, t2s). On a fault, returns false with a message that
// names the file and line.
bool build(const QString& dataDir, Compiled& out, QString* error);

// build(), then writes everything to a fresh directory beside `outDir` and
// renames it into place. `outDir` is left untouched on any fault. An existing
// `outDir` is replaced only when it is empty or was written by this compiler.
bool compile(const QString& dataDir, const QString& outDir, QString* error);

// The marker file a compiled directory holds.
inline constexpr const char* kMarkerFile = ".qm-gazetteer";

// Record files back to UTF-8 TSV, one header line of field names, one line a
// record; field values as the program reads them (text::value), with "\",
// tab, CR and LF written as \\, \t, \r, \n. False when the file cannot be read.
bool dumpCommanderies(const QString& path, QString& tsv);
bool dumpCounties(const QString& path, QString& tsv);

}  // namespace gazetteer
