// The map's projection: Albers equal-area conic on a sphere, with standard
// parallels 25°N and 47°N and central meridian 110°E, the usual choice for
// China. Equal-area, so a commandery's share of the map is its share of the
// land, and the census circles are read against true areas; along the
// standard parallels the scale is true, and between them (the Han lay from
// about 15°N to 43°N) it errs by a few per cent at most. A sphere of the
// Earth's mean radius is close enough at the scale of a county: the
// ellipsoid would move a point by well under a kilometre on screen.
//
// Formulas (spherical form):
//   n  = (sin φ1 + sin φ2) / 2
//   C  = cos² φ1 + 2 n sin φ1
//   ρ  = R √(C − 2 n sin φ) / n,  ρ0 the same at φ0
//   θ  = n (λ − λ0)
//   x  = ρ sin θ,  y = ρ0 − ρ cos θ
// with φ0 = 0 (the equator), so y is the northing; as PROJ writes it:
//   +proj=aea +lat_1=25 +lat_2=47 +lat_0=0 +lon_0=110 +R=6371 +units=km
#pragma once

#include <QPointF>

namespace mapproj {

inline constexpr double kEarthRadiusKm = 6371.0;
inline constexpr double kStandardParallel1 = 25.0;
inline constexpr double kStandardParallel2 = 47.0;
inline constexpr double kCentralMeridian = 110.0;
inline constexpr double kOriginLatitude = 0.0;

// Kilometres east (x) and north (y) of (kCentralMeridian, kOriginLatitude).
QPointF project(double lonDegrees, double latDegrees);

// The inverse: degrees longitude (x) and latitude (y) of a projected point.
QPointF unproject(QPointF km);

}  // namespace mapproj
