#include "calc/Horn.h"

#include <cmath>
#include <numbers>

namespace vlnokan::horn {

using namespace checked;

ExactPattern exactPattern(std::int32_t angle, std::int32_t mouth, std::int32_t canDiameter) {
    // Slant length of a cone of half-angle a to a circle of radius q: q / sin(a).
    const Real half = sin(radians(div(angle, 2.0L)));
    ExactPattern pattern;
    pattern.R = div(div(mouth, 2.0L), half);
    pattern.r = div(div(canDiameter, 2.0L), half);
    // Arc π Du over the radius R = Du / (2 sin a): 2π sin a radians, 360 sin a degrees.
    pattern.phi = mul(360.0L, half);
    return pattern;
}

Estimate estimate(Real slant, Real mouth, Real freeSpace) {
    Estimate result;
    // s = Du² / (8 Lo R) (Balanis, Antenna Theory, conical horn).
    result.s = div(square(mouth), mul(mul(8.0L, freeSpace), slant));
    const Real s = result.s;
    if (s >= 0 && s <= largestPhaseError) {
        // L(s) = 0.8 − 1.71 s + 26.25 s² − 17.79 s³ (Balanis, Antenna Theory, conical horn).
        result.loss = 0.8L - 1.71L * s + 26.25L * s * s - 17.79L * s * s * s;
        // D = 10 log10((π Du / Lo)²) − L(s) (Balanis, Antenna Theory, conical horn).
        const Real uniform = square(div(mul(std::numbers::pi_v<Real>, mouth), freeSpace));
        result.directivity = 10 * std::log10(uniform) - *result.loss;
    }
    // Best mouth for a given slant length: Du = √(3 R Lo) (Balanis, Antenna Theory, conical horn).
    result.optimumMouth = sqrt(mul(mul(3.0L, slant), freeSpace));
    return result;
}

} // namespace vlnokan::horn
