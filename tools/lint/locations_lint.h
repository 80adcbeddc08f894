// Checks of data/locations.tsv, where each county and place of the period
// lay, beyond what the compiler needs to place them on the map.
#pragma once

#include <QString>
#include <QStringList>

namespace lint {

// Every fault of `dataDir`/locations.tsv, "file:line: what" each, in file
// order: a county of counties.tsv without a row (or a row of none); a point
// that is no number or lies outside the Han's extent below; a county or place
// farther than kFarFromSeatKm from its commandery's seat (the commandery's
// first county) without a note saying why; an unknown precision; no source
// for a point that is not `approximate`; a geonames id that is not in
// geonames.tsv (the extract of the GeoNames rows the table uses); a place
// that other_names.tsv does not have as a `place` row of that county.
// Nothing when there is no locations.tsv.
QStringList checkLocations(const QString& dataDir);

inline constexpr double kFarFromSeatKm = 300;
// The Han's extent with a margin: 敦煌 lies at 94–97°E, 日南 reaches 16°N,
// 玄菟 42°N. A point outside is most likely a typing slip.
inline constexpr double kWest = 93, kEast = 132, kSouth = 15, kNorth = 43;

}  // namespace lint
