#include "map/projection.h"

#include <algorithm>
#include <cmath>

namespace mapproj {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;

struct Constants {
    double n, c, rho0;
};

const Constants& constants() {
    static const Constants k = [] {
        const double s1 = std::sin(kStandardParallel1 * kRad), s2 = std::sin(kStandardParallel2 * kRad);
        const double n = (s1 + s2) / 2;
        const double c = std::pow(std::cos(kStandardParallel1 * kRad), 2) + 2 * n * s1;
        const double rho0 = kEarthRadiusKm * std::sqrt(c - 2 * n * std::sin(kOriginLatitude * kRad)) / n;
        return Constants{n, c, rho0};
    }();
    return k;
}

}  // namespace

QPointF project(double lonDegrees, double latDegrees) {
    const Constants& k = constants();
    const double rho = kEarthRadiusKm * std::sqrt(k.c - 2 * k.n * std::sin(latDegrees * kRad)) / k.n;
    const double theta = k.n * (lonDegrees - kCentralMeridian) * kRad;
    return {rho * std::sin(theta), k.rho0 - rho * std::cos(theta)};
}

QPointF unproject(QPointF km) {
    const Constants& k = constants();
    const double dy = k.rho0 - km.y();
    const double rho = std::hypot(km.x(), dy);
    const double theta = std::atan2(km.x(), dy);
    const double s = (k.c - std::pow(rho * k.n / kEarthRadiusKm, 2)) / (2 * k.n);
    return {kCentralMeridian + theta / k.n / kRad, std::asin(std::clamp(s, -1.0, 1.0)) / kRad};
}

}  // namespace mapproj
