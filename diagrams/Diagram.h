#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>

namespace vlnokan {

// One of the two technical drawings: an editable raster picture into which the figures are
// written, shown and printed with its white left out (transparent).
class Diagram final {
public:
    // pixels: the drawing in RGB32, using only the colours of its palette; bitsPerPixel: 1 for
    // the black-and-white can drawing, 4 for the coloured funnel drawing.
    Diagram(QImage pixels, int bitsPerPixel);

    const QImage& pixels() const { return m_pixels; }
    QSize size() const { return m_pixels.size(); }
    int bitsPerPixel() const { return m_bitsPerPixel; }

    // Writes text with the top-left of its first character cell at topLeft, in the drawings'
    // own text style (black, 8-point sans-serif, no anti-aliasing) on an opaque white
    // background; cut off at the drawing's edges. Returns the rectangle the text covered.
    QRect writeText(QPoint topLeft, const QString& text);
    // Paints a rectangle white (clipped to the drawing).
    void eraseRect(const QRect& area);

    // The colour shown as transparent: white for a monochrome drawing, otherwise the colour of
    // the bottom-left pixel as it is now.
    QRgb transparentColour() const;

    // Called after every change of the pixels, so that whatever shows the drawing repaints.
    void setChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }

private:
    void changed();

    QImage m_pixels;
    int m_bitsPerPixel = 1;
    std::function<void()> m_changed;
};

} // namespace vlnokan
