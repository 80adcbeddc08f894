#include "data/cp932.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <mutex>

namespace cp932 {
namespace {

constexpr char16_t kBad = 0xFFFD;

// single[b]: the character of single byte b, or kBad; lead[b]: b starts a
// double-byte character. dbl[(lead - 0x80) * 256 + trail]: its character.
struct Table {
    std::array<char16_t, 256> single{};
    std::array<bool, 256> lead{};
    std::array<char16_t, 128 * 256> dbl{};
};

// Asks iconv for one sequence; returns kBad when iconv rejects it.
char16_t convertOne(iconv_t cd, const unsigned char* in, std::size_t n) {
    char inbuf[2] = {static_cast<char>(in[0]), n > 1 ? static_cast<char>(in[1]) : '\0'};
    char outbuf[8];
    char* ip = inbuf;
    char* op = outbuf;
    std::size_t il = n, ol = sizeof outbuf;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1) || il != 0)
        return kBad;
    if (sizeof outbuf - ol != 2)  // outside the BMP or more than one unit
        return kBad;
    const auto* u = reinterpret_cast<const unsigned char*>(outbuf);
    return static_cast<char16_t>(u[0] | (u[1] << 8));
}

const Table& table() {
    static Table t;
    static std::once_flag once;
    std::call_once(once, [] {
        t.single.fill(kBad);
        t.dbl.fill(kBad);
        iconv_t cd = iconv_open("UTF-16LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1))
            return;  // no CP932 in this C library: everything decodes to U+FFFD
        for (int b = 0; b < 256; ++b) {
            unsigned char in[1] = {static_cast<unsigned char>(b)};
            t.single[b] = convertOne(cd, in, 1);
            t.lead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        }
        for (int l = 0x80; l < 0x100; ++l) {
            if (!t.lead[l])
                continue;
            for (int tr = 0x40; tr < 0x100; ++tr) {
                unsigned char in[2] = {static_cast<unsigned char>(l), static_cast<unsigned char>(tr)};
                t.dbl[(l - 0x80) * 256 + tr] = convertOne(cd, in, 2);
            }
        }
        iconv_close(cd);
    });
    return t;
}

}  // namespace

QString decode(const char* bytes, std::size_t len) {
    const Table& t = table();
    QString out;
    out.resize(static_cast<qsizetype>(len));
    QChar* o = out.data();
    qsizetype n = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < len; ++i) {
        unsigned char b = p[i];
        if (t.lead[b]) {
            char16_t c = i + 1 < len ? t.dbl[(b - 0x80) * 256 + p[i + 1]] : kBad;
            if (c != kBad)
                ++i;
            o[n++] = QChar(c);
        } else {
            o[n++] = QChar(t.single[b]);
        }
    }
    out.truncate(n);
    return out;
}

bool encode(const QString& text, std::string& out) {
    out.clear();
    if (text.isEmpty())
        return true;
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    QByteArray in(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    out.resize(static_cast<std::size_t>(text.size()) * 2);
    char* ip = in.data();
    char* op = out.data();
    std::size_t il = static_cast<std::size_t>(in.size()), ol = out.size();
    bool ok = iconv(cd, &ip, &il, &op, &ol) != static_cast<std::size_t>(-1) && il == 0;
    iconv_close(cd);
    if (!ok)
        return false;
    out.resize(out.size() - ol);
    // iconv maps some characters to a look-alike; only an exact round trip counts.
    return decode(out.data(), out.size()) == text;
}

bool representable(const QString& text) {
    std::string ignored;
    return encode(text, ignored);
}

}  // namespace cp932
