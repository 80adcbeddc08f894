// The floor of an operation: reading the files it reads and decoding every
// field of every record, nothing else. No handler can do less work than
// that while it reads the files afresh on every click.
#pragma once

#include "data/provinces.h"
#include "data/record_file.h"
#include "data/text_model.h"

#include <QString>
#include <QStringList>
#include <cstddef>

namespace floorwork {

// Sums the decoded lengths so that no decode can be optimised away.
inline std::size_t decodeCommanderies(const QString& path) {
    std::size_t sum = 0;
    scanRecords<gunrec>(path, [&](const gunrec& r) {
        sum += static_cast<std::size_t>(
            text::value(r.syumei).size() + text::value(r.gunmei).size() +
            text::value(r.gunyomi).size() + text::value(r.gunji).size() +
            text::value(r.yobi).size() + text::value(r.jyo).size() + text::value(r.kosu).size() +
            text::value(r.kousu).size() + text::value(r.gunbiko).size());
        return true;
    });
    return sum;
}

inline std::size_t decodeCounties(const QString& path) {
    std::size_t sum = 0;
    scanRecords<kenrec>(path, [&](const kenrec& r) {
        sum += static_cast<std::size_t>(
            text::value(r.yobi).size() + text::value(r.gunmei).size() +
            text::value(r.kenmei).size() + text::value(r.kenyomi).size() +
            text::value(r.kenji).size() + text::value(r.kenji2).size() +
            text::value(r.kenbiko).size() + text::value(r.sanbutu).size());
        return true;
    });
    return sum;
}

// The files an operation reads, in the order it reads them.
struct Files {
    int commanderyReads = 0;   // times the commandery file is read
    QStringList countyFiles;   // county files, a file once per read
};

inline std::size_t decode(const Files& files) {
    std::size_t sum = 0;
    for (int i = 0; i < files.commanderyReads; ++i)
        sum += decodeCommanderies(kCommanderyFile);
    for (const QString& f : files.countyFiles)
        sum += decodeCounties(f);
    return sum;
}

}  // namespace floorwork
