#pragma once

#include "drawing/TextRenderer.h"

#include <QFont>

namespace vlnokan {

// The drawings' text style: "MS Sans Serif" at 8 points, character height 8 × dpi / 72 pixels
// (11 at 96 dpi), drawn without anti-aliasing so only the drawing's own colours appear.
QFont diagramTextFont(int screenDpi = 96);

// The bold face of the labels drawn into the can drawing ("D", "Lg / 4", ...): capitals 10
// pixels high, whatever the screen.
QFont diagramLabelFont();

using drawing::eightPointPixels;

} // namespace vlnokan
