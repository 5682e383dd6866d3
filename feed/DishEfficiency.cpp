#include "feed/DishEfficiency.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace vlnokan::feed {

namespace {

constexpr double degree = std::numbers::pi / 180;
constexpr double stepDeg = 0.05; // the integrals' step; the pattern is sampled far coarser

struct Sums {
    double power = 0;               // both planes' power, sin-weighted
    double coPower = 0;             // the co-polar part's power
    std::complex<double> field = 0; // the co-polar field seen across the aperture
    double amplitude = 0;           // the same without its phase
};

// The integrals from `from` to `to` degrees by the trapezoid rule.
Sums integrate(const FeedPattern& pattern, double from, double to) {
    Sums sums;
    if (to <= from)
        return sums;
    const int steps = std::max(1, int(std::ceil((to - from) / stepDeg)));
    const double h = (to - from) / steps;
    for (int i = 0; i <= steps; ++i) {
        const double thetaDeg = from + h * i;
        const double theta = thetaDeg * degree;
        const double weight = (i == 0 || i == steps ? 0.5 : 1.0) * h * degree;
        const auto e = pattern.eAt(thetaDeg);
        const auto hp = pattern.hAt(thetaDeg);
        const auto co = (e + hp) / 2.0;
        sums.power += weight * (std::norm(e) + std::norm(hp)) * std::sin(theta);
        sums.coPower += weight * std::norm(co) * std::sin(theta);
        sums.field += weight * co * std::tan(theta / 2);
        sums.amplitude += weight * std::abs(co) * std::tan(theta / 2);
    }
    return sums;
}

} // namespace

double halfAngleDeg(double fOverD) {
    return 2 * std::atan(1 / (4 * fOverD)) / degree;
}

double fOverDForHalfAngle(double halfAngleDeg) {
    return 1 / (4 * std::tan(halfAngleDeg * degree / 2));
}

double offsetEquivalentFOverD(double fOverD, double clearanceOverD) {
    if (!(fOverD > 0) || !(clearanceOverD >= 0) || !std::isfinite(clearanceOverD))
        throw std::invalid_argument("an offset dish needs a positive f/D and clearance >= 0");
    const double half =
        std::atan((clearanceOverD + 1) / (2 * fOverD)) - std::atan(clearanceOverD / (2 * fOverD));
    return fOverDForHalfAngle(half / degree);
}

DishEfficiency dishEfficiency(const FeedPattern& pattern, double fOverD) {
    checkPattern(pattern);
    if (!(fOverD > 0) || !std::isfinite(fOverD))
        throw std::invalid_argument("f/D must be positive");
    DishEfficiency result;
    result.fOverD = fOverD;
    result.halfAngleDeg = halfAngleDeg(fOverD);
    const Sums inside = integrate(pattern, 0, result.halfAngleDeg);
    const Sums outside = integrate(pattern, result.halfAngleDeg, 180);
    const double all = inside.power + outside.power;
    const double cot = 1 / std::tan(result.halfAngleDeg * degree / 2);
    if (!(all > 0) || !(inside.coPower > 0) || !(inside.amplitude > 0))
        return result;
    result.spillover = inside.power / all;
    result.crossPolar = 2 * inside.coPower / inside.power;
    result.taper = 2 * cot * cot * inside.amplitude * inside.amplitude / inside.coPower;
    result.phase = std::norm(inside.field) / (inside.amplitude * inside.amplitude);
    result.aperture = 4 * cot * cot * std::norm(inside.field) / all;
    return result;
}

std::vector<DishEfficiency> efficiencyCurve(const FeedPattern& pattern, double first, double last,
                                            double step) {
    if (!(step > 0) || !(first > 0) || !(last >= first))
        throw std::invalid_argument("the f/D range is empty");
    std::vector<DishEfficiency> curve;
    const int steps = int(std::floor((last - first) / step + 1e-9));
    for (int i = 0; i <= steps; ++i)
        curve.push_back(dishEfficiency(pattern, first + step * i));
    return curve;
}

DishEfficiency bestDish(const FeedPattern& pattern, double first, double last) {
    const auto curve = efficiencyCurve(pattern, first, last, 0.01);
    std::size_t best = 0;
    for (std::size_t i = 1; i < curve.size(); ++i)
        if (curve[i].aperture > curve[best].aperture)
            best = i;
    // A golden-section search in the two steps around the best step.
    double a = std::max(first, curve[best].fOverD - 0.01);
    double b = std::min(last, curve[best].fOverD + 0.01);
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    while (b - a > 0.0005) {
        const double c = b - ratio * (b - a);
        const double d = a + ratio * (b - a);
        if (dishEfficiency(pattern, c).aperture >= dishEfficiency(pattern, d).aperture)
            b = d;
        else
            a = c;
    }
    return dishEfficiency(pattern, (a + b) / 2);
}

} // namespace vlnokan::feed
