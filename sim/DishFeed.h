#pragma once

#include "feed/FeedAdvice.h"
#include "sim/SimResults.h"

#include <optional>

namespace vlnokan::sim {

// The simulated can as a dish feed: its efficiency over f/D, the best f/D, the efficiency at the
// builder's f/D and the phase centre from the can's mouth. nullopt where the results carry no
// far-field phase (or no usable beam) to work it out from.
std::optional<feed::DishAnswer> dishAnswer(const SimResults& results, double fOverD);

} // namespace vlnokan::sim
