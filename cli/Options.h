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
    // The designed antenna simulated with openEMS, or its model written for a run elsewhere.
    OptionSpec{"--simulate", false},
    OptionSpec{"--quality", true},
    OptionSpec{"--probe-radius", true},
    OptionSpec{"--export-model", true},
};

} // namespace vlnokan::cli
