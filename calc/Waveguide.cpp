#include "calc/Waveguide.h"

#include "calc/CanCalc.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vlnokan::waveguide {

using namespace checked;

namespace {

// J'n(x) = (Jn−1(x) − Jn+1(x)) / 2 (Abramowitz & Stegun 9.1.27); J'0 = −J1.
Real besselDerivative(int n, Real x) {
    if (n == 0)
        return -std::cyl_bessel_j(1.0L, x);
    return (std::cyl_bessel_j(Real(n - 1), x) - std::cyl_bessel_j(Real(n + 1), x)) / 2;
}

Real besselValue(int n, Real x) {
    return std::cyl_bessel_j(Real(n), x);
}

// The zeros of f on (0, largest), found by sign changes on a fine grid and bisection. Zeros of
// Jn and J'n lie at least about 1 apart, far more than the grid step.
template <typename F> std::vector<Real> zerosBelow(F f, Real largest) {
    constexpr Real step = 0.02L;
    std::vector<Real> zeros;
    Real a = step;
    Real fa = f(a);
    for (Real b = a + step; a < largest; a = b, b += step) {
        const Real fb = f(b);
        if (fa == 0) {
            zeros.push_back(a);
        } else if ((fa < 0) != (fb < 0) && fb != 0) {
            Real lo = a;
            Real hi = b;
            for (int i = 0; i < 80 && hi - lo > 1e-15L; ++i) {
                const Real mid = (lo + hi) / 2;
                if ((f(mid) < 0) == (fa < 0))
                    lo = mid;
                else
                    hi = mid;
            }
            zeros.push_back((lo + hi) / 2);
        }
        fa = fb;
    }
    std::erase_if(zeros, [largest](Real z) { return !(z < largest); });
    return zeros;
}

} // namespace

std::string Mode::name() const {
    return (kind == ModeKind::TE ? "TE" : "TM") + std::to_string(n) + std::to_string(m);
}

std::vector<Mode> modesBelow(Real largestZero) {
    std::vector<Mode> modes;
    // The first zero of Jn and of J'n grows faster than n, so no mode of order n ≥ largestZero
    // comes below it.
    for (int n = 0; n < largestZero; ++n) {
        int m = 1;
        for (Real p : zerosBelow([n](Real x) { return besselDerivative(n, x); }, largestZero))
            modes.push_back({ModeKind::TE, n, m++, p});
        m = 1;
        for (Real p : zerosBelow([n](Real x) { return besselValue(n, x); }, largestZero))
            modes.push_back({ModeKind::TM, n, m++, p});
    }
    std::stable_sort(modes.begin(), modes.end(), [](const Mode& a, const Mode& b) {
        // TE0m and TM1m share their zero exactly; only the last digits of the search differ.
        if (std::fabs(a.p - b.p) > 1e-9L)
            return a.p < b.p;
        return a.kind == ModeKind::TE && b.kind == ModeKind::TM;
    });
    return modes;
}

Real cutoffWavelength(const Mode& mode, Real diameter) {
    return div(mul(std::numbers::pi_v<Real>, diameter), mode.p);
}

Real cutoffFrequency(const Mode& mode, Real diameter) {
    return div(300.0L, cutoffWavelength(mode, diameter));
}

std::optional<Real> guideWavelength(Real freeSpace, Real cutoff) {
    if (!(freeSpace > 0 && cutoff > freeSpace))
        return std::nullopt;
    // Lg = 1 / √((1/Lo)² − (1/λc)²), the guide wavelength of the can's own calculation.
    return can::guideWavelength(freeSpace, cutoff);
}

DiameterWindow singleModeWindow(Real frequency) {
    return singleModeWindow(frequency, frequency);
}

DiameterWindow singleModeWindow(Real low, Real high) {
    // TE11 cut-off λc = 1.706 D, TM01 cut-off λc = 1.306 D (π/1.8412 and π/2.4048).
    return {div(can::freeSpaceWavelength(low), 1.706L),
            div(can::freeSpaceWavelength(high), 1.306L)};
}

} // namespace vlnokan::waveguide
