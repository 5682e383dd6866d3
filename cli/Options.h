#pragma once

#include "cli/CommandLine.h"

#include <array>

namespace vlnokan::cli {

// Every option vlnokan-calc knows. A feature adds its own rows here and reads its values from
// the parsed CommandLine.
inline constexpr std::array knownOptions{
    OptionSpec{"--draw", true},
    // Antenna details: modes, diameter window, horn, 0.1 mm figures; a band sweep; JSON.
    OptionSpec{"--details", false},
    OptionSpec{"--band", true},
    OptionSpec{"--sweep", true},
    OptionSpec{"--json", false},
};

} // namespace vlnokan::cli
