#include "feed/PhaseCentre.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace vlnokan::feed {

namespace {

constexpr double degree = std::numbers::pi / 180;

struct Point {
    double x = 0;     // k cos(theta)
    double phase = 0; // radians, unwrapped from the axis outwards
    double weight = 0;
};

// The plane's samples from the axis out to beamDeg, the phase unwrapped starting near `start`.
void addPlane(std::vector<Point>& points, const FeedPattern& pattern,
              const std::vector<std::complex<double>>& plane, double beamDeg, double k,
              double start) {
    double previous = start;
    for (std::size_t i = 0; i < pattern.thetaDeg.size() && pattern.thetaDeg[i] <= beamDeg; ++i) {
        double phase = std::arg(plane[i]);
        phase += 2 * std::numbers::pi * std::round((previous - phase) / (2 * std::numbers::pi));
        previous = phase;
        points.push_back({k * std::cos(pattern.thetaDeg[i] * degree), phase, std::abs(plane[i])});
    }
}

// The first angle at which the plane falls below the level, relative to the axis.
double beamEdge(const FeedPattern& pattern, const std::vector<std::complex<double>>& plane,
                double levelDb) {
    const double floor = std::abs(plane.front()) * std::pow(10.0, levelDb / 20);
    for (std::size_t i = 1; i < plane.size(); ++i)
        if (std::abs(plane[i]) < floor)
            return pattern.thetaDeg[i - 1];
    return pattern.thetaDeg.back();
}

} // namespace

PhaseCentre phaseCentre(const FeedPattern& pattern, double wavelengthMm, double beamLevelDb) {
    checkPattern(pattern);
    if (!(wavelengthMm > 0) || !std::isfinite(wavelengthMm) || !(beamLevelDb < 0))
        throw std::invalid_argument("a phase centre needs a wavelength and a level below the axis");
    PhaseCentre result;
    result.beamDeg = std::min(beamEdge(pattern, pattern.ePlane, beamLevelDb),
                              beamEdge(pattern, pattern.hPlane, beamLevelDb));
    const double k = 2 * std::numbers::pi / wavelengthMm;
    std::vector<Point> points;
    const double axis = std::arg(pattern.ePlane.front() + pattern.hPlane.front());
    addPlane(points, pattern, pattern.ePlane, result.beamDeg, k, axis);
    addPlane(points, pattern, pattern.hPlane, result.beamDeg, k, axis);
    if (points.size() < 4)
        throw std::invalid_argument("the main beam is narrower than the pattern's samples");

    double sum = 0, meanX = 0, meanPhase = 0;
    for (const Point& p : points) {
        sum += p.weight;
        meanX += p.weight * p.x;
        meanPhase += p.weight * p.phase;
    }
    meanX /= sum;
    meanPhase /= sum;
    double sxx = 0, sxy = 0;
    for (const Point& p : points) {
        sxx += p.weight * (p.x - meanX) * (p.x - meanX);
        sxy += p.weight * (p.x - meanX) * (p.phase - meanPhase);
    }
    result.offsetMm = sxx > 0 ? sxy / sxx : 0;
    for (const Point& p : points) {
        const double left = p.phase - meanPhase - result.offsetMm * (p.x - meanX);
        result.flatnessDeg = std::max(result.flatnessDeg, std::abs(left) / degree);
    }
    return result;
}

} // namespace vlnokan::feed
