// Arbitrary bytes as a record file: scanned as commanderies and as counties,
// every field through the text model. Nothing may crash, and what the
// handlers compare must keep its shape whatever the file holds.
#include "common.h"

#include "data/gazetteer.h"
#include "data/text_model.h"

#include <QFile>
#include <cstddef>
#include <cstdint>

namespace {

void checkField(const char* field, std::size_t width) {
    const QString raw = text::raw(field, width);
    const QString value = text::value(field, width);
    const QString cut = text::cutValue(field, width);
    const auto w = static_cast<qsizetype>(width);
    QM_CHECK(raw.size() <= w, raw);
    QM_CHECK(!raw.contains(QChar(u'\0')), raw);
    QM_CHECK(value.size() <= raw.size(), value);
    QM_CHECK(raw.contains(value), value);
    QM_CHECK(value.isEmpty() || (value.front() != u' ' && value.back() != u' '), value);
    QM_CHECK(cut.size() <= std::max<qsizetype>(0, raw.size() - 4), cut);
    QM_CHECK(cut.isEmpty() || (cut.front() != u' ' && cut.back() != u' '), cut);
    QM_CHECK(text::trim(value) == value, value);
}

// What a click on the item finds again: the halves of an item give back the
// name and reading it was built from, unless the name has a space of its own.
void checkItem(const QString& item, const QString& name, const QString& reading) {
    const QString n = text::nameHalf(item);
    const QString r = text::readingHalf(item);
    QM_CHECK(!n.contains(u' '), n);
    QM_CHECK(r.isEmpty() || (r.front() != u' ' && r.back() != u' '), r);
    if (!name.contains(u' ')) {
        QM_CHECK(n == name, item);
        QM_CHECK(r == reading, item);
    }
}

// Every field of `r`, by its layout's field table.
template <class Rec>
void checkFields(const Rec& r) {
    for (const fields::Field& f : fields::of<Rec>())
        checkField(reinterpret_cast<const char*>(&r) + f.offset, f.width);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path = fuzzing::scratchDir() + QStringLiteral("/syu/fuzz.txt");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        if (size > 0 && f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
                            static_cast<qint64>(size))
            std::abort();
    }

    std::size_t gunCount = 0, kenCount = 0;
    // Read only, as every reader but the window's handlers.
    const Gazetteer g = Gazetteer::open({}, fuzzing::scratchDir());
    g.scan<gunrec>(path, [&](const gunrec& r) {
        ++gunCount;
        checkFields(r);
        checkItem(text::itemText(r), text::value(r.gunmei), text::value(r.gunyomi));
        return true;
    });
    g.scan<kenrec>(path, [&](const kenrec& r) {
        ++kenCount;
        checkFields(r);
        checkItem(text::itemText(r), text::value(r.kenmei), text::value(r.kenyomi));
        return true;
    });
    // Whole records only; a short tail is ignored.
    QM_CHECK(gunCount == size / sizeof(gunrec), QString::number(gunCount));
    QM_CHECK(kenCount == size / sizeof(kenrec), QString::number(kenCount));
    return 0;
}
