#pragma once

#include "drawing/Geometry.h"
#include "drawing/TextRenderer.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

namespace vlnokan::drawing {

// One of the two technical drawings: an editable raster picture into which the figures are
// written, shown and printed with its white left out (transparent). Plain pixels; a front end
// turns them into what its screen and printer take.
class Diagram final {
public:
    // A white drawing of the given size. bitsPerPixel: 1 for the black-and-white can drawing, 4
    // for the coloured funnel drawing. The renderer sets every text written into it and must
    // outlive it.
    Diagram(Size size, int bitsPerPixel, const TextRenderer& renderer);

    Size size() const { return m_size; }
    int width() const { return m_size.width; }
    int height() const { return m_size.height; }
    Rect rect() const { return {0, 0, m_size.width, m_size.height}; }
    int bitsPerPixel() const { return m_bitsPerPixel; }

    Rgb pixel(Point at) const { return m_pixels[index(at)]; }
    // Pixels outside the drawing are ignored. Used while the drawing is made; the texts written
    // later announce their change.
    void setPixel(Point at, Rgb colour) {
        if (rect().contains(at))
            m_pixels[index(at)] = colour;
    }

    // The drawing's colours by index: black and white for 1 bit per pixel; black, cyan, red and
    // thirteen whites for 4 bits per pixel.
    std::vector<Rgb> palette() const;
    // The palette index of a pixel; a colour outside the palette takes the nearest.
    int paletteIndex(Point at) const;

    // The screen resolution the figures' 8-point text is sized for (96 unless set).
    void setScreenDpi(int dpi) { m_screenDpi = dpi; }
    int screenDpi() const { return m_screenDpi; }
    const TextRenderer& renderer() const { return *m_renderer; }

    // Writes text (UTF-8) with the top-left of its first character cell at topLeft, in the
    // drawings' figure face (black, no anti-aliasing) on an opaque white background covering the
    // whole character cells; cut off at the drawing's edges. Returns the rectangle the text
    // covered within the drawing.
    Rect writeText(Point topLeft, std::string_view text);
    // Paints a rectangle white (clipped to the drawing).
    void eraseRect(const Rect& area);
    // Everything the texts written at topLeft have covered since the last call for that place
    // (an empty rectangle if none); the record starts afresh.
    Rect takeTextArea(Point topLeft);
    // The height of a text cell of the figure face.
    int textCellHeight() const;

    // The colour shown as transparent: white for a monochrome drawing, otherwise the colour of
    // the bottom-left pixel as it is now.
    Rgb transparentColour() const;
    bool isTransparent(Point at) const { return pixel(at) == transparentColour(); }

    // Counts the changes of the pixels.
    std::uint64_t revision() const { return m_revision; }
    // Called after every change of the pixels, so that whatever shows the drawing repaints.
    void setChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }

private:
    std::size_t index(Point at) const { return std::size_t(at.y * m_size.width + at.x); }
    void fill(const Rect& area, Rgb colour);
    void changed();

    Size m_size;
    int m_bitsPerPixel = 1;
    const TextRenderer* m_renderer;
    std::vector<Rgb> m_pixels;
    int m_screenDpi = 96;
    std::uint64_t m_revision = 0;
    std::map<std::pair<int, int>, Rect> m_textAreas;
    std::function<void()> m_changed;
};

// Sets the ink of text into the drawing in colour, the left of the first character's origin at
// x and the baseline row (just under the glyphs' feet) at baselineRow. No background.
void stampInk(Diagram& diagram, const TextInk& text, int x, int baselineRow, Rgb colour);

} // namespace vlnokan::drawing
