// Arbitrary text as a list item: the two halves a click splits it into.
// The input is read as UTF-16 so that any code unit, lone surrogates and
// U+3000 included, can reach the split.
#include "common.h"

#include "data/text_model.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

// The reference trim, by another road than the program's: the standard
// library's search for the first and last code unit that is not U+0020.
// Nothing else is stripped (not U+3000, not tabs: they belong to the text).
QString stripSpaces(const QString& s) {
    const std::u16string u = s.toStdU16String();
    const std::size_t first = u.find_first_not_of(u' ');
    if (first == std::u16string::npos)
        return QString();
    const std::size_t last = u.find_last_not_of(u' ');
    // The code units as they are: fromUtf16 would take a leading U+FFFE for
    // a byte-swapped BOM.
    return QString(reinterpret_cast<const QChar*>(u.data() + first),
                   static_cast<qsizetype>(last - first + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    const QString item = QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
    const QString name = text::nameHalf(item);
    const QString reading = text::readingHalf(item);
    const qsizetype sp = item.indexOf(u' ');
    QM_CHECK(text::trim(item) == stripSpaces(item), item);

    for (const QString& half : {name, reading}) {
        QM_CHECK(half.isEmpty() || (half.front() != u' ' && half.back() != u' '), item);
        QM_CHECK(half.size() <= item.size(), item);
    }
    if (sp < 0) {
        QM_CHECK(name.isEmpty() && reading.isEmpty(), item);
        return 0;
    }
    // The name is everything before the first space, so it has none to trim.
    QM_CHECK(name == item.left(sp), item);
    // The reading is the rest with its spaces stripped at both ends.
    QM_CHECK(reading == stripSpaces(item.mid(sp)), item);
    // Splitting an item built from its halves gives the same halves back.
    const QString again = name + u' ' + reading;
    QM_CHECK(text::nameHalf(again) == name, item);
    QM_CHECK(text::readingHalf(again) == reading, item);
    return 0;
}
