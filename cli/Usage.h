#pragma once

namespace vlnokan::cli {

inline constexpr const char* usage =
    "usage: vlnokan-calc [--draw DIR] [--simulate] [--quality quick|fine] [--probe-radius MM]\n"
    "                    [--export-model DIR] FREQ_GHZ DIAMETER_MM ANGLE_DEG MOUTH_MM";

} // namespace vlnokan::cli
