// Building record bytes from UTF-8 values: used by the gazetteer compiler and
// by the tests that write their own data. The program itself never writes.
#pragma once

#include "data/records.h"

#include <QString>
#include <cstddef>
#include <vector>

// A record's field values as UTF-8 text, one member per field of the layout
// in record order, so {"司隸校尉", "河南尹", …} fills them in that order.
#define QM_VALUE_FIELD(name, width, what) QString name;
struct GunFields {
    QM_GUNREC_FIELDS(QM_VALUE_FIELD)
};
struct KenFields {
    QM_KENREC_FIELDS(QM_VALUE_FIELD)
};
#undef QM_VALUE_FIELD

namespace recwrite {

// Encodes `value` in CP932 into `width` bytes at `dst`, padded with spaces.
// Fails with a message naming `field` when a character has no CP932 code or
// the text needs more than `width` bytes.
bool putField(char* dst, std::size_t width, const QString& value, const char* field,
              QString* error);

// The longest prefix of `value` whose CP932 form fits in `width` bytes (cut
// on a character boundary). Characters without a CP932 code count as two.
QString fitToBytes(const QString& value, std::size_t width);

bool makeGunrec(const GunFields& f, gunrec& out, QString* error);
bool makeKenrec(const KenFields& f, kenrec& out, QString* error);

// Writes raw bytes to `path` (as given: absolute, or relative to the working
// directory), replacing it. Returns false on any I/O error.
bool writeBytes(const QString& path, const void* data, std::size_t len);

template <class Rec>
bool writeRecords(const QString& path, const std::vector<Rec>& recs) {
    return writeBytes(path, recs.data(), recs.size() * sizeof(Rec));
}

}  // namespace recwrite
