#pragma once

#include "feed/FeedPattern.h"

#include <cmath>
#include <numbers>

namespace vlnokan::feed::test {

// The classical model feed: a power pattern of cos^n(theta) in front (the field cos^(n/2)),
// nothing behind, the same in both planes, sampled every stepDeg; its phase as if radiated from
// shiftMm along the axis.
inline FeedPattern cosineFeed(double n, double stepDeg = 1, double shiftMm = 0,
                              double wavelengthMm = 30) {
    FeedPattern pattern;
    const int steps = int(std::lround(180 / stepDeg));
    for (int i = 0; i <= steps; ++i) {
        const double theta = 180.0 * i / steps;
        const double c = std::cos(theta * std::numbers::pi / 180);
        const double phase = 2 * std::numbers::pi / wavelengthMm * shiftMm * c;
        const auto value = std::polar(theta < 90 ? std::pow(c, n / 2) : 0.0, phase);
        pattern.thetaDeg.push_back(theta);
        pattern.ePlane.push_back(value);
        pattern.hPlane.push_back(value);
    }
    return pattern;
}

// The cos^2 feed's aperture efficiency in closed form, over the dish's half-angle (Silver;
// Balanis, reflector antennas).
inline double cos2Aperture(double halfAngleDeg) {
    const double half = halfAngleDeg * std::numbers::pi / 360;
    const double sum = std::pow(std::sin(half), 2) + std::log(std::cos(half));
    return 24 * sum * sum / std::pow(std::tan(half), 2);
}

} // namespace vlnokan::feed::test
