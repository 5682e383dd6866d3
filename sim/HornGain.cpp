#include "sim/HornGain.h"

#include "calc/CanCalc.h"
#include "calc/Horn.h"

namespace vlnokan::sim {

std::optional<double> hornGainEstimate(const Design& design) {
    if (!design.funnelKnown || !(design.frequency > 0))
        return std::nullopt;
    const auto pattern = horn::exactPattern(design.angle, design.mouth, design.diameter);
    const auto estimate =
        horn::estimate(pattern.R, design.mouth, can::freeSpaceWavelength(design.frequency));
    if (!estimate.directivity)
        return std::nullopt;
    return double(*estimate.directivity);
}

} // namespace vlnokan::sim
