// The text model: what a field's bytes become on screen and in comparisons.
#include "data/cp932.h"
#include "data/glyph_name.h"
#include "data/placeholders.h"
#include "data/text_model.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace {

QString raw(const std::string& bytes) { return text::raw(bytes.data(), bytes.size()); }
QString val(const std::string& bytes) { return text::value(bytes.data(), bytes.size()); }
QString cut(const std::string& bytes) { return text::cutValue(bytes.data(), bytes.size()); }

std::string sjis(const QString& s) {
    std::string out;
    EXPECT_TRUE(cp932::encode(s, out)) << s.toStdString();
    return out;
}

// `s` in CP932, padded with spaces to `width` bytes.
std::string field(const QString& s, std::size_t width) {
    std::string b = sjis(s);
    b.resize(width, ' ');
    return b;
}

TEST(TextModel, PaddingCountsCharactersNotBytes) {
    // ASCII only: one character per byte, no padding needed.
    EXPECT_EQ(raw("abc       "), QStringLiteral("abc       "));
    // Two double-byte characters in 10 bytes decode to 8 characters, then
    // two more spaces: always as many characters as bytes.
    const std::string f = field(QStringLiteral("豫州"), 10);
    EXPECT_EQ(raw(f).size(), 10);
    EXPECT_EQ(raw(f), QStringLiteral("豫州        "));
    // All double-byte: 6 characters in 12 bytes.
    const std::string full = sjis(QStringLiteral("河南尹河南尹"));
    EXPECT_EQ(raw(full), QStringLiteral("河南尹河南尹      "));
    EXPECT_EQ(val(full), QStringLiteral("河南尹河南尹"));
}

TEST(TextModel, NulEndsTheText) {
    EXPECT_EQ(raw(std::string("\0bcdef", 6)), QString());
    EXPECT_EQ(raw(std::string("a\0cdef", 6)), QStringLiteral("a"));
    std::string mid = field(QStringLiteral("河南 尹"), 12);
    mid[4] = '\0';  // after 河南
    EXPECT_EQ(raw(mid), QStringLiteral("河南"));
    // A NUL inside a double-byte pair's trail position is still a NUL.
    EXPECT_EQ(raw(std::string("\x88\x00zz", 4)), QString(QChar(0xFFFD)));
}

TEST(TextModel, InvalidBytesAndLoneLeadByteBecomeReplacement) {
    // 0x80, 0xA0 and 0xFD..0xFF have no character; a lead byte at the end
    // has no trail. Each stands as one U+FFFD, padding still counts.
    const QString r = raw(std::string("\x80\xa0\xff" "ab\x88", 6));
    EXPECT_EQ(r, QString(QChar(0xFFFD)) + QChar(0xFFFD) + QChar(0xFFFD) + QStringLiteral("ab") +
                     QChar(0xFFFD));
    // A lead byte followed by a byte that is no trail keeps that byte.
    EXPECT_EQ(raw(std::string("\x88" "\x0a", 2)), QString(QChar(0xFFFD)) + QChar(u'\n'));
}

TEST(TextModel, TrimRemovesOnlyAsciiSpaces) {
    EXPECT_EQ(text::trim(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(text::trim(QStringLiteral("\u3000a\u3000")), QStringLiteral("\u3000a\u3000"));
    EXPECT_EQ(text::trim(QStringLiteral("    ")), QString());
}

TEST(TextModel, CutValueDropsFourCharactersOfTheRawText) {
    // The longest label, padded: cut value and value agree.
    const std::string syumei = field(QStringLiteral("司隸校尉"), 10);
    EXPECT_EQ(val(syumei), QStringLiteral("司隸校尉"));
    EXPECT_EQ(cut(syumei), QStringLiteral("司隸校尉"));
    // 26 ASCII characters lose their last four.
    EXPECT_EQ(cut("abcdefghijklmnopqrstuvwxyz"), QStringLiteral("abcdefghijklmnopqrstuv"));
    // Shorter than four characters after a NUL: nothing left.
    EXPECT_EQ(cut(std::string("ab\0defgh", 8)), QString());
}

TEST(TextModel, ItemTextAndItsHalves) {
    gunrec g{};
    std::string name = field(QStringLiteral("河南尹"), 12), reading = field(QStringLiteral("かなんいん"), 30);
    std::copy(name.begin(), name.end(), g.gunmei);
    std::copy(reading.begin(), reading.end(), g.gunyomi);
    const QString item = text::itemText(g);
    EXPECT_EQ(item, QStringLiteral("河南尹 かなんいん"));
    EXPECT_EQ(text::nameHalf(item), QStringLiteral("河南尹"));
    EXPECT_EQ(text::readingHalf(item), QStringLiteral("かなんいん"));

    // The split is at the first space: a name with a space cannot be found
    // again from its item, and inner spaces of the reading half stay.
    EXPECT_EQ(text::nameHalf(QStringLiteral("a b c  d ")), QStringLiteral("a"));
    EXPECT_EQ(text::readingHalf(QStringLiteral("a b c  d ")), QStringLiteral("b c  d"));
    // No space: both halves empty.
    EXPECT_EQ(text::nameHalf(QStringLiteral("河南尹")), QString());
    EXPECT_EQ(text::readingHalf(QStringLiteral("河南尹")), QString());
}

// Python's cp932 codec, a table independent of the iconv that generated the
// compiled-in one: "BYTES CHARACTER" in hex for every code that decodes to
// one character.
const char* const kReferenceCodec = R"(
for c in [bytes([b]) for b in range(256)] + [bytes([l, t]) for l in range(0x81, 256) for t in range(256)]:
    try: s = c.decode('cp932')
    except UnicodeDecodeError: continue
    if len(s) == 1: print(c.hex(), '%04x' % ord(s))
)";

TEST(Cp932, EveryOneAndTwoByteCodeAgreesWithAnIndependentCodec) {
    QProcess python;
    python.start(QStringLiteral(QM_PYTHON3), {QStringLiteral("-c"), QString::fromLatin1(kReferenceCodec)});
    ASSERT_TRUE(python.waitForFinished(120000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    std::map<std::string, char16_t> ref;
    for (const QByteArray& line : python.readAllStandardOutput().split('\n'))
        if (const QList<QByteArray> f = line.split(' '); f.size() == 2)
            ref[QByteArray::fromHex(f[0]).toStdString()] = static_cast<char16_t>(f[1].toUInt(nullptr, 16));
    ASSERT_GT(ref.size(), 7700u);
    // Python gives five single bytes a character that Windows' table leaves
    // undefined; here they are U+FFFD like any other undefined byte.
    for (const char* b : {"\x80", "\xa0", "\xfd", "\xfe", "\xff"})
        EXPECT_EQ(ref.erase(b), 1u) << std::hex << (unsigned char)*b;
    // Spot checks typed from the code page's chart: the Microsoft forms of
    // two JIS rows, NEC row 13, NEC-selected and IBM extensions.
    for (const auto& [bytes, ch] : std::initializer_list<std::pair<std::string, char16_t>>{
             {"\x81\x5f", 0xFF3C}, {"\x81\x60", 0xFF5E}, {"\x87\x40", 0x2460}, {"\x87\x54", 0x2160},
             {"\xed\x40", 0x7E8A}, {"\xfa\x40", 0x2170}, {"\xfa\x5c", 0x7E8A}, {"\xb1", 0xFF71}})
        EXPECT_EQ(unsigned{ref[bytes]}, unsigned{ch}) << "reference for " << QByteArray::fromStdString(bytes).toHex().constData();

    int wrong = 0;
    std::set<char16_t> chars;
    for (int lead = 0; lead < 256; ++lead)
        for (int trail = -1; trail < 256; ++trail) {  // -1: the single byte alone
            std::string bytes(1, static_cast<char>(lead));
            if (trail >= 0)
                bytes.push_back(static_cast<char>(trail));
            const auto it = ref.find(bytes);
            const QString got = cp932::decode(bytes.data(), bytes.size());
            // A pair whose first byte is a character on its own is two
            // characters; any other undefined code starts with U+FFFD.
            bool ok = got[0] == QChar(0xFFFD);
            if (it != ref.end())
                ok = got == QString(QChar(it->second));
            else if (bytes.size() == 2 && ref.count(bytes.substr(0, 1)))
                ok = got.size() == 2;
            if (!ok && ++wrong <= 10)
                ADD_FAILURE() << QByteArray::fromStdString(bytes).toHex().constData() << " decodes to U+"
                              << std::hex << unsigned{got[0].unicode()};
            if (it != ref.end())
                chars.insert(it->second);
        }
    EXPECT_EQ(wrong, 0);

    // Encoding: exactly the characters the reference decodes to, each to a
    // code that decodes back to it; of two codes, the one Windows writes.
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QString s(QChar(static_cast<char16_t>(c)));
        std::string out;
        const bool encoded = cp932::encode(s, out);
        const unsigned code = c;
        EXPECT_EQ(encoded, chars.count(static_cast<char16_t>(c)) == 1) << std::hex << code;
        if (encoded) {
            EXPECT_EQ(unsigned{ref[out]}, code);
        }
        EXPECT_EQ(cp932::representable(s), encoded) << std::hex << code;
    }
    for (const auto& [ch, code] : std::initializer_list<std::pair<char16_t, std::string>>{
             {0x2170, "\xfa\x40"}, {0x2160, "\x87\x54"}, {0x2252, "\x81\xe0"}, {0xFFE2, "\x81\xca"},
             {0x7E8A, "\xfa\x5c"}, {0xFF3C, "\x81\x5f"}}) {
        std::string out;
        EXPECT_TRUE(cp932::encode(QString(QChar(ch)), out) && out == code) << std::hex << unsigned{ch};
    }
    std::string out;
    EXPECT_TRUE(cp932::encode(QStringLiteral("髙﨑河南尹"), out));
    EXPECT_EQ(cp932::decode(out.data(), out.size()), QStringLiteral("髙﨑河南尹"));
    EXPECT_FALSE(cp932::encode(QStringLiteral("河雒"), out));                 // 雒 is not in CP932
    EXPECT_FALSE(cp932::encode(QString(QChar(0x2212)), out));                 // U+FF0D's look-alike
    EXPECT_FALSE(cp932::encode(QString::fromUcs4(U"\U00020B9F", 1), out));   // outside the BMP
}

}  // namespace

// What a glyph bitmap's name tells a screen reader. Expected characters are
// typed from the Unicode charts, not derived from the names.
TEST(GlyphNames, NameToCharacterAndReadableName) {
    struct { const char* name; const char16_t* expected; } names[] = {
        {"u96d2", u"雒"}, {"u5dc2_24", u"巂"}, {"en4", u"兗"}, {"u279a6", u"𧦦"},
        {"u0041", u"A"},
        // Say nothing rather than something wrong.
        {"", u""}, {"U96D2", u""}, {"u96D2", u""}, {"u96d", u""}, {"u96d2_", u""},
        {"u96d2x", u""}, {"u96d2_2x", u""}, {"u1234567", u""}, {"u110000", u""},
        {"ud800", u""}, {"u0020", u""}, {"u25a0", u""}, {"u0000", u""}, {"en44", u""},
        {"../u96d2", u""},
    };
    for (const auto& c : names)
        EXPECT_EQ(GlyphName(QString::fromLatin1(c.name)).character(), QString::fromUtf16(c.expected))
            << c.name;

    struct { const char16_t* name; const char* black; const char* white; const char16_t* heard; } rows[] = {
        {u"■陽", "u96d2", "", u"雒陽"},
        {u"■州", "en4", "", u"兗州"},
        {u"■■", "u9104", "", u"鄄鄄"},
        {u"■□", "u5dc2", "u96d2", u"巂雒"},
        {u"陽□", "", "u96d2", u"陽雒"},
        {u"□陽", "", "u96d2", u"□陽"},      // no picture covers a first □
        {u"陽陽■", "u96d2", "", u"陽陽■"},  // nor a third place
        {u"■陽", "glyph7", "", u"■陽"},     // a name that says nothing
        {u"河南", "u96d2", "u96d2", u"河南"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(glyphs::readableName(QString::fromUtf16(r.name), QString::fromLatin1(r.black),
                                       QString::fromLatin1(r.white)),
                  QString::fromUtf16(r.heard))
            << r.black;
}
