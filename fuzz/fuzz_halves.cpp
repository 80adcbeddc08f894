// Arbitrary text as a list item: the two halves a click splits it into.
// The input is read as UTF-16 so that any code unit, lone surrogates and
// U+3000 included, can reach the split.
#include "common.h"

#include "data/text_model.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString item = QString::fromUtf16(reinterpret_cast<const char16_t*>(data),
                                            static_cast<qsizetype>(size / 2));
    const QString name = text::nameHalf(item);
    const QString reading = text::readingHalf(item);
    const qsizetype sp = item.indexOf(u' ');

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
    // The reading is the rest with U+0020 stripped at both ends, nothing else.
    qsizetype b = sp, e = item.size();
    while (b < e && item.at(b) == u' ')
        ++b;
    while (e > b && item.at(e - 1) == u' ')
        --e;
    QM_CHECK(reading == item.mid(b, e - b), item);
    // Splitting an item built from its halves gives the same halves back.
    const QString again = name + u' ' + reading;
    QM_CHECK(text::nameHalf(again) == name, item);
    QM_CHECK(text::readingHalf(again) == reading, item);
    // trim strips U+0020 only: U+3000 and tabs belong to the text.
    QM_CHECK(text::trim(item).size() <= item.size(), item);
    return 0;
}
