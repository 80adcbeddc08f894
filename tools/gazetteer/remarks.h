// Cutting a remark to its record field.
#pragma once

#include <QString>

#include <cstddef>

namespace remarks {

// `text` cut to at most `width` bytes of CP932 after its last whole clause
// (up to and including a "。") that fits; unchanged when it fits whole. A
// text whose first clause alone is too long is cut after its last "，"
// that fits, and failing that on a character boundary: a remark that says
// part of a clause beats an empty one. Characters without a CP932 code
// count as two bytes, as the record writer stores them.
QString cutAtClause(const QString& text, std::size_t width);

}  // namespace remarks
