#pragma once

#include "measure/Sweep.h"

#include <optional>
#include <vector>

namespace vlnokan::measure {

// A stretch of frequencies where S11 stays below -10 dB. An edge at the end of the sweep is
// open: the band may go on beyond what was swept.
struct Band {
    double lowHz = 0;
    double highHz = 0;
    bool openLow = false;
    bool openHigh = false;
};

// What a builder reads from a sweep of his antenna.
struct MatchReading {
    SweepSample best;                    // where S11 is lowest
    bool bestAtEdge = false;             // the lowest S11 lies at an end of the sweep
    std::vector<Band> bands;             // every stretch below -10 dB, lowest first
    std::optional<SweepSample> atDesign; // nullopt where the design frequency was not swept
    bool designInBand = false;
};

constexpr double goodMatchDb = -10;

// The sample at hz from the samples around it (the reflection interpolated linearly); nullopt
// outside the sweep.
std::optional<SweepSample> sampleAt(const std::vector<SweepSample>& samples, double hz);

// The frequency of the deepest dip, between samples: the vertex of the parabola through the
// lowest sample and its neighbours (in |S11|^2).
double dipFrequency(const std::vector<SweepSample>& samples);

MatchReading readMatch(const std::vector<SweepSample>& samples, double designHz);

} // namespace vlnokan::measure
