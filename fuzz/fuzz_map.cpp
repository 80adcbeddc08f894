// Arbitrary bytes as the map's two files: the base map (chizu/kihon.bin)
// and the located counties (chizu/ichi.tsv, with its header put in front
// when the input lacks one, so the lines themselves are reached). Nothing
// may crash, hang or allocate beyond the input; whatever a reader keeps
// must be valid and read back as itself when written again.
#include "common.h"

#include "data/base_map.h"
#include "data/map_locations.h"
#include "data/record_writer.h"

#include <QDir>
#include <cstddef>
#include <cstdint>

namespace {

// A county file the stale check reads: three counties of 河南尹.
const QString& dataDir() {
    static const QString dir = [] {
        const QString d = fuzzing::scratchDir();
        std::vector<kenrec> recs;
        for (const char* name : {"偃師", "河南", "中牟"}) {
            kenrec r{};
            if (!recwrite::makeKenrec({"", "河南尹", name, "よみ", "", "", "", ""}, r, nullptr))
                std::abort();
            recs.push_back(r);
        }
        if (!recwrite::writeRecords(QDir(d).filePath(QStringLiteral("syu/司隸.txt")), recs))
            std::abort();
        return d;
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    mapfile::Report baseReport;
    const basemap::BaseMap map = basemap::decode(input, baseReport);
    QString why;
    for (const basemap::Feature& f : map.features)
        QM_CHECK(basemap::valid(f, &why), why);
    QByteArray again;
    QM_CHECK(basemap::encode(map, again, &why), why);
    mapfile::Report againReport;
    const basemap::BaseMap back = basemap::decode(again, againReport);
    QM_CHECK(back.features.size() == map.features.size() && againReport.skipped == 0, QString());
    for (std::size_t i = 0; i < map.features.size(); ++i)
        QM_CHECK(back.features[i].label == map.features[i].label &&
                     back.features[i].points.size() == map.features[i].points.size(),
                 map.features[i].label);

    const QByteArray tsv = input.startsWith(locations::headerLine()) ? input : locations::headerLine() + input;
    mapfile::Report where;
    std::vector<locations::Location> entries = locations::parse(tsv, where);
    QM_CHECK(entries.size() <= locations::kMaxEntries, QString());
    for (const locations::Location& l : entries) {
        const QByteArray line = locations::formatLine(l);
        // Written with six decimals a coordinate may no longer fit the line.
        if (line.isEmpty())
            continue;
        mapfile::Report one;
        const auto read = locations::parse(locations::headerLine() + line, one);
        QM_CHECK(read.size() == 1 && read[0].place.file == l.place.file && read[0].place.record == l.place.record &&
                     read[0].name == l.name && read[0].placeName == l.placeName && read[0].note == l.note,
                 QString::fromUtf8(line));
    }
    const std::size_t before = entries.size();
    mapfile::Report stale;
    locations::dropStale(entries, dataDir(), stale);
    QM_CHECK(entries.size() + static_cast<std::size_t>(stale.skipped) == before, QString());
    return 0;
}
