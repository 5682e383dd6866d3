#pragma once

#include <complex>
#include <vector>

namespace vlnokan::feed {

// A feed's far field in its two principal planes, as complex co-polar amplitudes over the angle
// off the axis, 0 to 180 degrees ascending. For a probe-fed round waveguide (and any feed whose
// field turns once around the axis) these two cuts say everything the dish sees: the field at an
// angle phi round the axis is E-plane * cos(phi) + H-plane * sin(phi) in the co-polar direction
// plus (E - H) / 2 * sin(2 phi) across it. The phase is about a point on the axis (the can's
// mouth), in the engine's convention: a source moved by d towards the dish adds k d cos(theta).
struct FeedPattern {
    std::vector<double> thetaDeg;
    std::vector<std::complex<double>> ePlane;
    std::vector<std::complex<double>> hPlane;

    // The amplitudes and phases at thetaDeg, linear between samples (the phase unwrapped).
    std::complex<double> eAt(double thetaDeg) const;
    std::complex<double> hAt(double thetaDeg) const;

    // The same pattern with its phase taken about the point shiftMm further along the axis.
    FeedPattern about(double shiftMm, double wavelengthMm) const;
};

// Throws std::invalid_argument unless the pattern has at least two angles, ascending from 0 to
// 180, with as many samples in each plane, all finite, and some field on the axis.
void checkPattern(const FeedPattern& pattern);

// A pattern from levels in dB and phases in degrees over -180 to 180 degrees (the simulation's
// cuts through the axis): the two sides of the axis averaged.
FeedPattern foldedPattern(const std::vector<double>& thetaDeg, const std::vector<double>& eDb,
                          const std::vector<double>& ePhaseDeg, const std::vector<double>& hDb,
                          const std::vector<double>& hPhaseDeg);

} // namespace vlnokan::feed
