#pragma once

#include "core/Checked.h"

#include <cstdint>

// The can as a circular waveguide: its free-space and guide wavelengths, and the diameter it
// needs for the frequency to propagate in it.
namespace vlnokan::can {

// The largest can diameter the program accepts, in millimetres.
constexpr std::int32_t largestDiameter = 125;

// Lo = 300 / f: millimetres from GHz.
Real freeSpaceWavelength(Real frequencyGHz);

// λc = 1.706 × D: the cut-off wavelength of the can's lowest mode.
Real cutoffWavelength(std::int32_t diameter);

// The diameter that replaces one too small for the frequency: Round(Lo / 1.68), raised a
// millimetre at a time until its cut-off wavelength exceeds Lo, so the wave really propagates.
std::int32_t propagatingDiameter(Real freeSpace);

// Lg = 1 / √((1/Lo)² − (1/λc)²).
Real guideWavelength(Real freeSpace, Real cutoff);

} // namespace vlnokan::can
