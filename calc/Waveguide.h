#pragma once

#include "core/Checked.h"

#include <optional>
#include <string>
#include <vector>

// The can as a round waveguide with more than one mode: which waves it carries at a frequency,
// and which diameters carry the lowest one alone.
namespace vlnokan::waveguide {

enum class ModeKind { TE, TM };

struct Mode {
    ModeKind kind = ModeKind::TE;
    int n = 0;  // periods around the circumference
    int m = 1;  // half-waves across the radius
    Real p = 0; // the Bessel zero that fixes its cut-off

    std::string name() const; // "TE11", "TM01", ...
};

// Every mode whose zero p lies below largestZero, lowest cut-off first (TE before TM at equal p).
std::vector<Mode> modesBelow(Real largestZero);

// The largest zero modesBelow is asked for; a wider can or a higher frequency is shown only up
// to here.
constexpr Real largestTabulatedZero = 40;

// λc = π D / p (round waveguide, e.g. Pozar, Microwave Engineering, ch. 3.4), in mm.
Real cutoffWavelength(const Mode& mode, Real diameter);
// fc = 300 / λc: GHz from mm, the same speed of light as Lo = 300 / f.
Real cutoffFrequency(const Mode& mode, Real diameter);

// Lg = 1 / √((1/Lo)² − (1/λc)²) for a wave above its cut-off; nothing at or below it.
std::optional<Real> guideWavelength(Real freeSpace, Real cutoff);

// The diameters between which the can carries TE11 alone: TE11 propagates (λc = 1.706 D > Lo)
// and TM01 does not (λc = 1.306 D < Lo). Empty when smallest ≥ largest.
struct DiameterWindow {
    Real smallest = 0; // mm
    Real largest = 0;  // mm
    bool empty() const { return !(smallest < largest); }
    bool holds(Real diameter) const { return smallest < diameter && diameter < largest; }
};

// For one frequency in GHz: Lo / 1.706 < D < Lo / 1.306.
DiameterWindow singleModeWindow(Real frequency);
// For every frequency from low to high: TE11 must pass at the lowest, TM01 stay cut off at the
// highest.
DiameterWindow singleModeWindow(Real low, Real high);

} // namespace vlnokan::waveguide
