// CP932 (Microsoft's Shift_JIS) to and from UTF-16, through tables compiled
// into the program (generated from iconv at build time): nothing is looked up
// or opened at run time.
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
// character has no CP932 code that decodes back to it (U+2212 has none: its
// look-alike U+FF0D has). Of two codes for one character (the NEC and IBM
// rows) the one Windows writes is taken.
bool encode(const QString& text, std::string& out);

// True when every character of `text` has a CP932 code.
bool representable(const QString& text);

}  // namespace cp932
