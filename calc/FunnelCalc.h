#pragma once

#include "core/Checked.h"

#include <cstdint>

// The funnel (a truncated cone from the can's diameter D to the mouth Du, full opening angle alfa)
// laid flat: an annular sector to be marked on sheet metal, in whole millimetres.
namespace vlnokan::funnel {

constexpr std::int32_t largestAngle = 60;
constexpr std::int32_t smallestAngle = 20;

struct Pattern {
    std::int32_t R = 0;  // outer radius: slant length from the apex to the mouth
    std::int32_t r = 0;  // inner radius: slant length from the apex to the can's end
    std::int32_t L = 0;  // outer arc length
    std::int32_t l = 0;  // inner arc length
    Real phi = 0;        // sector angle in degrees
    std::int32_t C = 0;  // chord of the outer arc
    std::int32_t c = 0;  // chord of the inner arc
    std::int32_t hi = 0; // apex to the inner chord
    std::int32_t ho = 0; // apex to the outer chord
    std::int32_t dH = 0; // between the two chords
};

// The smallest sensible mouth: twice the can's diameter.
std::int32_t smallestMouth(std::int32_t canDiameter);

// The pattern for an angle and mouth already brought into range.
Pattern develop(std::int32_t angle, std::int32_t mouth, std::int32_t canDiameter);

} // namespace vlnokan::funnel
