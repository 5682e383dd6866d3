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
    // The builder's measured sweep (a Touchstone file) beside the design, and the simulation.
    OptionSpec{"--measured", true},
    // The can alone, as a dish feed, and how it fills a dish of the f/D given.
    OptionSpec{"--no-funnel", false},
    OptionSpec{"--dish", true},
    // The funnel's cutting template at 1:1 (vlnokan-calc-template).
    OptionSpec{"--template", true},
    OptionSpec{"--paper", true},
    OptionSpec{"--margin", true},
    OptionSpec{"--overlap", true},
    OptionSpec{"--seam", true},
    OptionSpec{"--thickness", true},
    OptionSpec{"--pieces", true},
};

// Options that only shape the template and mean nothing without --template.
inline constexpr std::array templateOnlyOptions{
    std::string_view("--paper"), std::string_view("--margin"),    std::string_view("--overlap"),
    std::string_view("--seam"),  std::string_view("--thickness"), std::string_view("--pieces"),
};

} // namespace vlnokan::cli
