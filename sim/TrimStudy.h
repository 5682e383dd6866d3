#pragma once

#include "calc/Design.h"
#include "measure/TrimAdvice.h"
#include "sim/CanModel.h"
#include "sim/Simulation.h"

#include <atomic>
#include <functional>

namespace vlnokan::sim {

// How much longer and further from the bottom the probe is made for the two simulations that
// show how it moves the match: small beside the probe, large beside the mesh's rounding.
constexpr double trimStepMm = 3;

// The feed's samples as a sweep at 50 ohms.
std::vector<measure::SweepSample> sweepOf(const SimResults& results);

// The design simulated as drawn, then with the probe a step longer and a step further from the
// bottom, at the same quality (each taken from the cache when it was simulated before). Progress
// runs over all three; cancel stops the one running. seconds gets the engine time of the two
// extra simulations (0 when both came from the cache).
measure::TrimStudy trimStudy(const Design& design, const CanOptions& options,
                             const SimSettings& settings, SimResults& designResults,
                             double& seconds,
                             const std::function<void(const Progress&)>& onProgress,
                             const std::atomic<bool>& cancel);

} // namespace vlnokan::sim
