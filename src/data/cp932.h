// CP932 (Microsoft's Shift_JIS) to and from UTF-16, through the C library's
// iconv. The decoding table is built once from iconv and then used directly,
// since a scan decodes every field of every record.
#pragma once

#include <QString>
#include <cstddef>
#include <string>

namespace cp932 {

// Decodes `len` bytes. Every byte sequence decodes: a byte that is not valid
// CP932, a lead byte with an invalid trail, or a lead byte at the very end
// becomes one U+FFFD (consuming only that byte). A zero byte becomes U+0000.
QString decode(const char* bytes, std::size_t len);

// Encodes `text` to CP932. Returns false, leaving `out` unspecified, when a
// character has no CP932 code.
bool encode(const QString& text, std::string& out);

// True when every character of `text` has a CP932 code.
bool representable(const QString& text);

}  // namespace cp932
