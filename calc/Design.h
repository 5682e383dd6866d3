#pragma once

#include "core/Checked.h"

#include <cstdint>

namespace vlnokan {

// The antenna as the last Calculate left it: the entries as numbers after their corrections.
// The template, the antenna details and the simulation start from here, never from the rounded
// figures on the drawings.
struct Design {
    Real frequency = 0;        // GHz, as converted from the entry
    std::int32_t diameter = 0; // mm, the can after widening or narrowing
    std::int32_t angle = 0;    // degrees, the funnel's full opening angle
    std::int32_t mouth = 0;    // mm, the funnel's mouth
    bool canKnown = false;     // frequency and diameter are final
    bool funnelKnown = false;  // angle and mouth are final and the pattern was developed

    // A design whose every entry is final, as a Calculate without a fault leaves it.
    static Design complete(Real frequency, std::int32_t diameter, std::int32_t angle,
                           std::int32_t mouth) {
        return {frequency, diameter, angle, mouth, true, true};
    }

    friend bool operator==(const Design&, const Design&) = default;
};

} // namespace vlnokan
