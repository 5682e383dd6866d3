#include "sim/DishFeed.h"

#include <stdexcept>

namespace vlnokan::sim {

namespace {

constexpr double lightSpeed = 299792458e3; // mm/s

} // namespace

std::optional<feed::DishAnswer> dishAnswer(const SimResults& results, double fOverD) {
    const Pattern& pattern = results.farField.pattern;
    if (pattern.ePlanePhaseDeg.empty() || !(results.centreHz > 0))
        return std::nullopt;
    try {
        const feed::FeedPattern folded =
            feed::foldedPattern(pattern.thetaDeg, pattern.ePlaneDb, pattern.ePlanePhaseDeg,
                                pattern.hPlaneDb, pattern.hPlanePhaseDeg);
        return feed::dishAnswer(folded, lightSpeed / results.centreHz, fOverD);
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    }
}

} // namespace vlnokan::sim
