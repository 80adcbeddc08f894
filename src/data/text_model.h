// How a fixed-width record field becomes the text that is shown and compared,
// and the list-item texts built from records.
#pragma once

#include "data/records.h"

#include <QString>
#include <cstddef>

namespace text {

// Decode CP932, pad with spaces to `width` characters, end at the first NUL.
QString raw(const char* field, std::size_t width);

// Removes U+0020 at both ends; inner spaces and U+3000 stay.
QString trim(const QString& s);

// The raw text trimmed.
QString value(const char* field, std::size_t width);

// The raw text without its last four characters, trimmed (empty when the raw
// text is shorter than that).
QString cutValue(const char* field, std::size_t width);

// The value of field `f` of the record whose bytes start at `record`.
inline QString value(const char* record, const fields::Field& f) {
    return value(record + f.offset, f.width);
}

// Convenience for a whole char-array field: value(rec.gunmei) and so on.
template <std::size_t N>
QString value(const char (&field)[N]) { return value(field, N); }
template <std::size_t N>
QString cutValue(const char (&field)[N]) { return cutValue(field, N); }

// "name reading": a name and a reading joined by one U+0020.
QString joinItem(const QString& name, const QString& reading);

// The item text of a record: the values of gunmei and gunyomi (or kenmei and
// kenyomi) joined as above.
QString itemText(const gunrec& r);
QString itemText(const kenrec& r);

// Text before the first space, trimmed; empty when there is no space.
QString nameHalf(const QString& item);
// Text from the first space on, trimmed; empty when there is no space.
QString readingHalf(const QString& item);

}  // namespace text
