#pragma once

#include "feed/FeedPattern.h"

namespace vlnokan::feed {

struct PhaseCentre {
    double offsetMm = 0;    // from the pattern's reference point along the axis, + towards the dish
    double flatnessDeg = 0; // the largest phase error left over the main beam
    double beamDeg = 0;     // the main beam used: where both planes are above the level asked
};

// The point on the axis about which the far field's phase is flattest over the main beam (both
// planes down to beamLevelDb below the axis): the least-squares fit of the phase to
// c + k d cos(theta), weighted by the field's amplitude. Throws std::invalid_argument for a
// pattern checkPattern refuses, a wavelength that is not positive or a beam narrower than two
// samples.
PhaseCentre phaseCentre(const FeedPattern& pattern, double wavelengthMm, double beamLevelDb = -10);

} // namespace vlnokan::feed
