#pragma once

#include "drawing/Geometry.h"

#include <string_view>
#include <vector>

namespace vlnokan::drawing {

// The two faces text is set in on the drawings.
enum class FaceKind {
    // The figures: "MS Sans Serif" at 8 points for the screen's resolution.
    Figures,
    // The bold labels of the can drawing ("D", "Lg / 4", ...): capitals 10 pixels high.
    Label,
};

struct Face {
    FaceKind kind = FaceKind::Figures;
    int screenDpi = 96;
};

// A text set in one face, black and white only, its characters one after another at whole-pixel
// advances with no kerning. The ink is given relative to the pen's start on the baseline: the
// pixel (x, y) of the ink lies x to the right of the first character's origin and y rows below
// the baseline row (negative above it; the baseline row is the one just under the glyphs' feet).
struct TextInk {
    std::vector<int> advances; // one per character, in pixels
    int ascent = 0;            // whole pixels from the top of a character cell to the baseline
    int descent = 0;           // whole pixels from the baseline to the bottom of the cell
    Rect inkArea;              // where the mask lies, in the coordinates above
    std::vector<bool> ink;     // inkArea.width × inkArea.height, row by row

    bool inkAt(int x, int y) const {
        if (!inkArea.contains(Point{x, y}))
            return false;
        return ink[std::size_t((y - inkArea.y) * inkArea.width + (x - inkArea.x))];
    }
    int width() const {
        int sum = 0;
        for (int advance : advances)
            sum += advance;
        return sum;
    }
};

// The platform's text rendering, all the drawings need of fonts. text is UTF-8.
class TextRenderer {
public:
    virtual ~TextRenderer() = default;
    virtual TextInk render(std::string_view text, const Face& face) const = 0;
};

// Character height in pixels of an 8-point face on a screen of screenDpi dots per inch, rounded to
// the nearest pixel (11 at 96 dpi, 13 at 120).
int eightPointPixels(int screenDpi);

} // namespace vlnokan::drawing
