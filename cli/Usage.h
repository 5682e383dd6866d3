#pragma once

namespace vlnokan::cli {

inline constexpr const char* usage =
    "usage: vlnokan-calc [--draw DIR] [--details] [--band wifi24|wifi5|10g|24g|hline | "
    "--sweep F1:F2:STEP] [--json] [--simulate] [--quality quick|fine] [--probe-radius MM] "
    "[--export-model DIR] FREQ_GHZ DIAMETER_MM ANGLE_DEG MOUTH_MM";

} // namespace vlnokan::cli
