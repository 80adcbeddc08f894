// A county chosen on the map: its record at its place, shown with its
// commandery and province, as county selection shows a county found by a
// search.
#include "window/form.h"

void Form::Map_Click(const RecordPlace& county) {
    const std::optional<kenrec> own = g_.recordAt<kenrec>(county);
    if (!own)
        return;  // a stale map entry names no record: the window stays as it is
    hide({c_.countyFirstGlyph, c_.countySecondGlyph});
    fname = showCommanderyOf(*own, county.file);
    if (county.file == fname)
        showCounty(*own);
    else
        clear({c_.countyName, c_.countyReading, c_.countyRemarks, c_.countyProducts});
}
