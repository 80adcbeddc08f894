// Arbitrary bytes as the other-names index, searched for a text taken from
// the input's first line, as the index of the record file "syu/f.txt".
// Nothing may crash or hang, and what the reader finds must be what a plain
// reading of the same bytes, line by line, finds.
#include "common.h"

#include "data/other_names.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <cstddef>
#include <cstdint>

namespace {

const QString kFile = QStringLiteral("syu/f.txt");

// The first entry for each place whose field contains the needle, read the
// slow way: the whole file split into lines, each decoded and split whole.
QHash<int, QStringList> plainReading(const QByteArray& bytes, const QString& needle, int column) {
    QHash<int, QStringList> out;
    for (QByteArray line : bytes.split('\n')) {
        if (static_cast<std::size_t>(line.size()) > othernames::kMaxLine)
            continue;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#') || line.contains('\0'))
            continue;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(line);
        if (utf8.hasError())
            continue;
        const QStringList f = text.split(u'\t');
        if (f.size() != 8 || f[0] != kFile || f[column].isEmpty() || !f[column].contains(needle))
            continue;
        // Its own name (or reading) finds the record without the entry.
        const QString& own = f[column == 5 ? 2 : 3];
        if (!own.isEmpty() && own.contains(needle))
            continue;
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
        const int record = digits.match(f[1]).hasMatch() ? f[1].toInt() : 0;
        if (record < 1)
            continue;
        if (!out.contains(record))
            out.insert(record, f);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path = fuzzing::scratchDir() + QStringLiteral("/betsu.txt");
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype nl = input.indexOf('\n');
    const QString needle = QString::fromUtf8(nl < 0 ? QByteArray() : input.left(nl));
    const QByteArray index = nl < 0 ? input : input.mid(nl + 1);
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(index) != index.size())
            std::abort();
    }
    for (const auto field : {othernames::Field::Name, othernames::Field::Reading}) {
        const int column = field == othernames::Field::Name ? 5 : 6;
        const othernames::FileMatches found = othernames::find(path, kFile, needle, field);
        const auto plain = plainReading(index, needle, column);
        QM_CHECK(found.size() == plain.size(), needle);
        for (auto rec = plain.begin(); rec != plain.end(); ++rec) {
            const QStringList& f = rec.value();
            const othernames::Entry* e = othernames::entryFor(found, rec.key(), f[2], f[3]);
            QM_CHECK(e && e->place.file == kFile && e->kind == f[4] && e->other == f[5] &&
                         e->otherReading == f[6] && e->note == f[7],
                     f.join(u'|'));
            // What the compiler would write of it reads back as itself.
            const QByteArray again = othernames::formatLine(*e);
            QM_CHECK(again.isEmpty() || plainReading(again, needle, column).size() == 1,
                     QString::fromUtf8(again));
        }
    }
    return 0;
}
