#pragma once

#include "drawing/Diagram.h"

namespace vlnokan::drawing {

// The side view of the can antenna (454 × 222, black on white, 1 bit per pixel), with its
// labels "D", "Lg / 4", "Lo / 4" and "3/4 Lg".
Diagram makeCanDiagram(const TextRenderer& renderer);
// The flat pattern of the funnel (299 × 257, black, red and cyan on white, 4 bits per pixel).
Diagram makeFunnelDiagram(const TextRenderer& renderer);

} // namespace vlnokan::drawing
