// The floor of an operation: reading the files it reads and decoding every
// field of every record, nothing else. No handler can do less work than
// that while it reads the files afresh on every click.
#pragma once

#include "data/gazetteer.h"
#include "data/provinces.h"
#include "data/text_model.h"

#include <QString>
#include <QStringList>
#include <cstddef>

namespace floorwork {

// Every field of every record of `path`, by the layout's field table; the
// decoded lengths are summed so that no decode can be optimised away.
template <class Rec>
std::size_t decodeAll(const Gazetteer& g, const QString& path) {
    std::size_t sum = 0;
    g.scan<Rec>(path, [&](const Rec& r) {
        for (const fields::Field& f : fields::of<Rec>())
            sum += static_cast<std::size_t>(text::value(reinterpret_cast<const char*>(&r), f).size());
        return true;
    });
    return sum;
}

// The files an operation reads, in the order it reads them.
struct Files {
    int commanderyReads = 0;   // times the commandery file is read
    QStringList countyFiles;   // county files, a file once per read
};

inline std::size_t decode(const Gazetteer& g, const Files& files) {
    std::size_t sum = 0;
    for (int i = 0; i < files.commanderyReads; ++i)
        sum += decodeAll<gunrec>(g, kCommanderyFile);
    for (const QString& f : files.countyFiles)
        sum += decodeAll<kenrec>(g, f);
    return sum;
}

}  // namespace floorwork
