#pragma once

#include "calc/Design.h"

#include <optional>

namespace vlnokan::sim {

// The textbook gain of the design's funnel as a conical horn, in dBi, to set beside the
// simulated one; none where the estimate does not hold.
std::optional<double> hornGainEstimate(const Design& design);

} // namespace vlnokan::sim
