#pragma once

#include "cli/CommandLine.h"

#include <array>

namespace vlnokan::cli {

// Every option vlnokan-calc knows. A feature adds its own rows here and reads its values from
// the parsed CommandLine.
inline constexpr std::array knownOptions{
    OptionSpec{"--draw", true},
};

} // namespace vlnokan::cli
