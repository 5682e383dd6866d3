#pragma once

#include "diagrams/Diagram.h"
#include "diagrams/QtTextRenderer.h"
#include "drawing/Drawings.h"

namespace vlnokan {

// The two drawings with their text set by Qt.
inline Diagram makeCanDiagram() {
    return drawing::makeCanDiagram(qtTextRenderer());
}
inline Diagram makeFunnelDiagram() {
    return drawing::makeFunnelDiagram(qtTextRenderer());
}

} // namespace vlnokan
