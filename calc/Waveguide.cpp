#include "calc/Waveguide.h"

#include "calc/CanCalc.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

namespace vlnokan::waveguide {

using namespace checked;

namespace {

// Jn(x) by Miller's downward recurrence J(k−1) = (2k/x) J(k) − J(k+1), normalised by
// J0 + 2 (J2 + J4 + ...) = 1 (Abramowitz & Stegun 9.1.27, 9.1.46; Numerical Recipes 6.5).
Real besselJ(int n, Real x) {
    if (x == 0)
        return n == 0 ? 1 : 0;
    const int top = std::max(n, int(x)) + 30 + int(std::sqrt(40.0L * std::max(n, int(x) + 1)));
    const int start = top + top % 2;
    Real next = 0;
    Real current = 1e-30L;
    Real norm = 0;
    Real result = 0;
    for (int k = start; k >= 1; --k) {
        const Real previous = 2 * k / x * current - next;
        next = current;
        current = previous; // J(k−1), unnormalised
        if (k - 1 == n)
            result = current;
        if (k - 1 > 0 && (k - 1) % 2 == 0)
            norm += 2 * current;
        if (std::fabs(current) > 1e1000L) {
            next *= 1e-1000L;
            current *= 1e-1000L;
            norm *= 1e-1000L;
            result *= 1e-1000L;
        }
    }
    norm += current;
    return result / norm;
}

// J'n(x) = (J(n−1)(x) − J(n+1)(x)) / 2, and J'0 = −J1 (Abramowitz & Stegun 9.1.27, 9.1.28).
Real besselDerivative(int n, Real x) {
    if (n == 0)
        return -besselJ(1, x);
    return (besselJ(n - 1, x) - besselJ(n + 1, x)) / 2;
}

// The zeros of f on (from, largest), found by sign changes on a grid and bisection. Zeros of
// Jn and J'n lie more than 1 apart, ten times the grid step; none of them (n ≥ 1) lies below n,
// so the search starts there.
template <typename F> std::vector<Real> zerosBelow(F f, Real from, Real largest) {
    constexpr Real step = 0.1L;
    std::vector<Real> zeros;
    Real a = std::max(from, step);
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

namespace {

std::vector<Mode> tabulate(Real largestZero) {
    std::vector<Mode> modes;
    // The first zero of Jn and of J'n grows faster than n, so no mode of order n ≥ largestZero
    // comes below it.
    for (int n = 0; n < largestZero; ++n) {
        int m = 1;
        for (Real p : zerosBelow([n](Real x) { return besselDerivative(n, x); }, n, largestZero))
            modes.push_back({ModeKind::TE, n, m++, p});
        m = 1;
        for (Real p : zerosBelow([n](Real x) { return besselJ(n, x); }, n, largestZero))
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

} // namespace

std::vector<Mode> modesBelow(Real largestZero) {
    // The whole table once; every can and frequency takes its part of it.
    static const std::vector<Mode> table = tabulate(largestTabulatedZero);
    if (largestZero > largestTabulatedZero)
        return tabulate(largestZero);
    std::vector<Mode> modes;
    std::copy_if(table.begin(), table.end(), std::back_inserter(modes),
                 [largestZero](const Mode& mode) { return mode.p < largestZero; });
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
