#pragma once

#include "core/Checked.h"

#include <cstdint>
#include <optional>

// The funnel as a conical horn: its exact flat pattern (no whole millimetres on the way) and a
// textbook estimate of its gain.
namespace vlnokan::horn {

struct ExactPattern {
    Real R = 0;   // mm, slant length from the apex to the mouth: outer radius of the pattern
    Real r = 0;   // mm, slant length from the apex to the can: inner radius
    Real phi = 0; // degrees, sector angle
};

// From the full opening angle (degrees), the mouth and the can's diameter (mm).
ExactPattern exactPattern(std::int32_t angle, std::int32_t mouth, std::int32_t canDiameter);

struct Estimate {
    Real s = 0; // the mouth's phase error, Du² / (8 Lo R)
    // Both none where L(s) is outside its fitted range.
    std::optional<Real> loss;        // dB below a uniformly lit mouth, L(s)
    std::optional<Real> directivity; // dBi
    Real optimumMouth = 0;           // mm, for the same slant length
};

// The fitted loss L(s) grows up to here and turns back down beyond, where it no longer
// describes any horn.
constexpr Real largestPhaseError = 0.95L;

// An ideal conical horn of slant length R (mm) and mouth Du (mm) at the free-space wavelength
// Lo (mm).
Estimate estimate(Real slant, Real mouth, Real freeSpace);

} // namespace vlnokan::horn
