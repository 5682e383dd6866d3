#include "calc/CanCalc.h"

#include <cmath>
#include <limits>

namespace vlnokan::can {

using namespace checked;

Real freeSpaceWavelength(Real frequencyGHz) {
    return div(300.0L, frequencyGHz);
}

Real cutoffWavelength(std::int32_t diameter) {
    return mul(diameter, 1.706L);
}

std::int32_t propagatingDiameter(Real freeSpace) {
    std::int32_t diameter = round32(div(freeSpace, 1.68L));
    if (cutoffWavelength(diameter) > freeSpace)
        return diameter;
    // Round(Lo / 1.68) falls short only for small wavelengths, or for negative ones far below
    // it: start just under the boundary Lo / 1.706 instead of climbing all the way.
    const Real boundary = std::floor(div(freeSpace, 1.706L)) - 1;
    if (boundary > diameter && boundary < std::numeric_limits<std::int32_t>::max())
        diameter = static_cast<std::int32_t>(boundary);
    while (!(cutoffWavelength(diameter) > freeSpace))
        ++diameter;
    return diameter;
}

Real guideWavelength(Real freeSpace, Real cutoff) {
    const Real g = square(div(1.0L, freeSpace));
    const Real h = square(div(1.0L, cutoff));
    return div(1.0L, sqrt(sub(g, h)));
}

} // namespace vlnokan::can
