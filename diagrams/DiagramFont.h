#pragma once

#include <QFont>

namespace vlnokan {

// The drawings' text style: "MS Sans Serif" at 8 points, character height 8 × dpi / 72 pixels
// (11 at 96 dpi), drawn without anti-aliasing so only the drawing's own colours appear.
QFont diagramTextFont(int screenDpi = 96);

} // namespace vlnokan
