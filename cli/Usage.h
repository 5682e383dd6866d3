#pragma once

namespace vlnokan::cli {

inline constexpr const char* usage =
    "usage: vlnokan-calc [--draw DIR] [--details] [--band "
    "wifi24|wifi58|wifi5all|qo100up|qo100down|10g|24g|hline | "
    "--sweep F1:F2:STEP] [--json] [--simulate] [--quality quick|fine] [--probe-radius MM] "
    "[--export-model DIR] [--measured FILE.s1p|.s2p] [--no-funnel] [--dish F_OVER_D] "
    "[--template FILE.pdf|.svg|.dxf [--paper A4|A3|Letter|Legal] "
    "[--margin MM] [--overlap MM] [--seam MM] [--thickness MM] [--pieces N]] "
    "FREQ_GHZ DIAMETER_MM ANGLE_DEG MOUTH_MM";

} // namespace vlnokan::cli
