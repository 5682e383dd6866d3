#pragma once

#include "drawing/TextRenderer.h"

namespace vlnokan {

// The drawings' text set by Qt in Liberation Sans (the stand-ins of fonts/), without
// anti-aliasing and kerning: each figure character is drawn on its own at whole-pixel advances, as
// the characters of a bitmap face are.
class QtTextRenderer final : public drawing::TextRenderer {
public:
    drawing::TextInk render(std::string_view text, const drawing::Face& face) const override;
};

// The one renderer the Qt programs hand to their drawings.
const drawing::TextRenderer& qtTextRenderer();

} // namespace vlnokan
