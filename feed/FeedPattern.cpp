#include "feed/FeedPattern.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace vlnokan::feed {

namespace {

constexpr double degree = std::numbers::pi / 180;

// Amplitude and phase each linear between the two samples around thetaDeg, the phase along the
// shorter way round: the pattern's phase turns by far less than half a turn between samples.
std::complex<double> interpolate(const std::vector<double>& thetas,
                                 const std::vector<std::complex<double>>& values, double thetaDeg) {
    const auto above = std::upper_bound(thetas.begin(), thetas.end(), thetaDeg);
    if (above == thetas.begin())
        return values.front();
    if (above == thetas.end())
        return values.back();
    const auto k = std::size_t(above - thetas.begin());
    const double t = (thetaDeg - thetas[k - 1]) / (thetas[k] - thetas[k - 1]);
    const std::complex<double> a = values[k - 1];
    const std::complex<double> b = values[k];
    const double amplitude = std::abs(a) + t * (std::abs(b) - std::abs(a));
    const double turn = std::arg(a == 0.0 || b == 0.0 ? std::complex<double>(1) : b / a);
    const double phase = std::arg(a == 0.0 ? b : a) + t * turn;
    return std::polar(amplitude, phase);
}

std::complex<double> sample(double db, double phaseDeg) {
    return std::polar(std::pow(10.0, db / 20), phaseDeg * degree);
}

} // namespace

std::complex<double> FeedPattern::eAt(double thetaDeg) const {
    return interpolate(this->thetaDeg, ePlane, thetaDeg);
}

std::complex<double> FeedPattern::hAt(double thetaDeg) const {
    return interpolate(this->thetaDeg, hPlane, thetaDeg);
}

FeedPattern FeedPattern::about(double shiftMm, double wavelengthMm) const {
    FeedPattern moved = *this;
    const double k = 2 * std::numbers::pi / wavelengthMm;
    for (std::size_t i = 0; i < thetaDeg.size(); ++i) {
        const auto turn = std::polar(1.0, -k * shiftMm * std::cos(thetaDeg[i] * degree));
        moved.ePlane[i] *= turn;
        moved.hPlane[i] *= turn;
    }
    return moved;
}

void checkPattern(const FeedPattern& pattern) {
    const auto& theta = pattern.thetaDeg;
    const bool finite =
        std::all_of(theta.begin(), theta.end(), [](double t) { return std::isfinite(t); }) &&
        std::all_of(pattern.ePlane.begin(), pattern.ePlane.end(),
                    [](auto z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); }) &&
        std::all_of(pattern.hPlane.begin(), pattern.hPlane.end(),
                    [](auto z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); });
    if (theta.size() < 2 || pattern.ePlane.size() != theta.size() ||
        pattern.hPlane.size() != theta.size() || !finite || theta.front() != 0 ||
        theta.back() != 180 ||
        std::adjacent_find(theta.begin(), theta.end(), std::greater_equal<>()) != theta.end() ||
        std::abs(pattern.ePlane.front() + pattern.hPlane.front()) == 0)
        throw std::invalid_argument("not a feed pattern from 0 to 180 degrees");
}

FeedPattern foldedPattern(const std::vector<double>& thetaDeg, const std::vector<double>& eDb,
                          const std::vector<double>& ePhaseDeg, const std::vector<double>& hDb,
                          const std::vector<double>& hPhaseDeg) {
    const std::size_t n = thetaDeg.size();
    if (n < 3 || eDb.size() != n || ePhaseDeg.size() != n || hDb.size() != n ||
        hPhaseDeg.size() != n)
        throw std::invalid_argument("the pattern's lists differ in length");
    FeedPattern folded;
    for (std::size_t k = n / 2; k < n; ++k) {
        const std::size_t mirror = n - 1 - k;
        if (std::abs(thetaDeg[k] + thetaDeg[mirror]) > 1e-6 || thetaDeg[k] < 0)
            throw std::invalid_argument("the pattern's angles are not even about the axis");
        folded.thetaDeg.push_back(thetaDeg[k]);
        folded.ePlane.push_back(
            (sample(eDb[k], ePhaseDeg[k]) + sample(eDb[mirror], ePhaseDeg[mirror])) / 2.0);
        folded.hPlane.push_back(
            (sample(hDb[k], hPhaseDeg[k]) + sample(hDb[mirror], hPhaseDeg[mirror])) / 2.0);
    }
    checkPattern(folded);
    return folded;
}

} // namespace vlnokan::feed
