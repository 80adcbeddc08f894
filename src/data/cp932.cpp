#include "data/cp932.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "cp932_table.inc"

namespace cp932 {
namespace {

constexpr char16_t kBad = 0xFFFD;

// kLead[b]: b starts a two-byte code (0x81..0x9F, 0xE0..0xFC). A table, as
// the test sits in the loop that decodes every field.
constexpr auto kLead = [] {
    std::array<bool, 256> lead{};
    for (int b = 0; b < 256; ++b)
        lead[static_cast<std::size_t>(b)] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return lead;
}();

// The code of `c` (0x00..0xFF single, else lead * 256 + trail), or -1.
int codeOf(char16_t c) {
    const auto* last = std::end(table::kEncode);
    const auto* it = std::lower_bound(std::begin(table::kEncode), last, c,
                                      [](const table::EncodePair& p, char16_t v) { return p.ch < v; });
    return it != last && it->ch == c ? it->code : -1;
}

}  // namespace

QString decode(const char* bytes, std::size_t len) {
    QString out;
    out.resize(static_cast<qsizetype>(len));
    QChar* o = out.data();
    qsizetype n = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < len; ++i) {
        const unsigned char b = p[i];
        if (kLead[b]) {
            const char16_t c = i + 1 < len ? table::kDouble[(b - 0x80) * 256 + p[i + 1]] : kBad;
            if (c != kBad)
                ++i;
            o[n++] = QChar(c);
        } else {
            o[n++] = QChar(table::kSingle[b]);
        }
    }
    out.truncate(n);
    return out;
}

bool encode(const QString& text, std::string& out) {
    out.clear();
    out.reserve(static_cast<std::size_t>(text.size()) * 2);
    for (const QChar ch : text) {
        const int code = codeOf(ch.unicode());
        if (code < 0)
            return false;
        if (code > 0xFF)
            out.push_back(static_cast<char>(code >> 8));
        out.push_back(static_cast<char>(code & 0xFF));
    }
    return true;
}

bool representable(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return codeOf(ch.unicode()) >= 0; });
}

}  // namespace cp932
