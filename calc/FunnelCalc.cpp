#include "calc/FunnelCalc.h"

namespace vlnokan::funnel {

using namespace checked;

namespace {

// Circumferences use 3.14 for pi, as the pattern has always been cut with it; the angle
// conversions use pi at full precision.
constexpr Real circlePi = 3.14L;

// The distance from the apex to a chord: √(radius² − (chord/2)²), both roots rounded.
std::int32_t apexToChord(std::int32_t radius, std::int32_t chord) {
    const std::int32_t radiusSquared = square(radius);
    return round32(sqrt(round32(sub(radiusSquared, square(div(chord, 2.0L))))));
}

} // namespace

std::int32_t smallestMouth(std::int32_t canDiameter) {
    return twice(canDiameter);
}

Pattern develop(std::int32_t angle, std::int32_t mouth, std::int32_t canDiameter) {
    const Real halfAngle = radians(div(angle, 2.0L));
    const Real t = tan(halfAngle);
    const Real k = cos(halfAngle);

    Pattern p;
    const std::int32_t H = round32(div(div(mouth, 2.0L), t));
    p.R = round32(div(H, k));
    const std::int32_t h = round32(div(div(canDiameter, 2.0L), t));
    p.r = round32(div(h, k));
    p.L = round32(mul(mouth, circlePi));
    p.l = round32(mul(canDiameter, circlePi));
    p.phi = degrees(div(p.L, p.R));
    const Real s = sin(radians(div(p.phi, 2.0L)));
    p.C = round32(mul(twice(p.R), s));
    p.c = round32(mul(twice(p.r), s));
    p.hi = apexToChord(p.r, p.c);
    p.ho = apexToChord(p.R, p.C);
    p.dH = difference(p.ho, p.hi);
    return p;
}

} // namespace vlnokan::funnel
