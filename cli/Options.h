#pragma once

#include "cli/CommandLine.h"

#include <array>

namespace vlnokan::cli {

// Every option vlnokan-calc knows. A feature adds its own rows here and reads its values from
// the parsed CommandLine.
inline constexpr std::array knownOptions{
    OptionSpec{"--draw", true},
    OptionSpec{"--simulate", false},
    OptionSpec{"--quality", true},
    OptionSpec{"--probe-radius", true},
    OptionSpec{"--export-model", true},
};

} // namespace vlnokan::cli
