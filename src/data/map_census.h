// The census figures of the commanderies (households 戸数, population 口数)
// for the map's proportional circles, read from the commandery file.
#pragma once

#include "data/map_file.h"

#include <QString>
#include <optional>
#include <vector>

namespace census {

struct Commandery {
    QString province;   // syumei: the province's catalogue label
    QString name;       // gunmei as stored
    std::optional<qint64> households, population;  // absent when the record has no figure
};

inline constexpr qint64 kMaxFileBytes = 32 << 20;

// Every whole record of the commandery file at `path` (a full path), read
// as mapfile::readRegular does, of at most kMaxFileBytes; a short tail is
// ignored. A figure that is not a number of at most 10 digits is absent and
// reported.
std::vector<Commandery> read(const QString& path, mapfile::Report& report);

}  // namespace census
