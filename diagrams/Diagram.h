#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

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
    // The drawing's colours by index: black and white for 1 bit per pixel; black, cyan, red and
    // thirteen whites for 4 bits per pixel.
    QList<QRgb> palette() const;
    // The drawing as a palette image: Format_Mono with 2 entries, or Format_Indexed8 holding the
    // 16-entry palette (Qt has no 4-bit format). A pixel outside the palette takes the nearest.
    QImage indexedPixels() const;

    // The screen resolution the figures' 8-point text is sized for (96 unless set).
    void setScreenDpi(int dpi) { m_screenDpi = dpi; }
    int screenDpi() const { return m_screenDpi; }

    // Writes text with the top-left of its first character cell at topLeft, in the drawings'
    // own text style (black, 8-point sans-serif, no anti-aliasing) on an opaque white
    // background covering the whole character cells; cut off at the drawing's edges. Returns
    // the rectangle the text covered within the drawing.
    QRect writeText(QPoint topLeft, const QString& text);
    // Paints a rectangle white (clipped to the drawing).
    void eraseRect(const QRect& area);
    // Everything the texts written at topLeft have covered since the last call for that place
    // (a null rectangle if none); the record starts afresh.
    QRect takeTextArea(QPoint topLeft);
    // The height of a text cell: the face's ascent and descent, each rounded up to whole pixels.
    int textCellHeight() const;

    // The colour shown as transparent: white for a monochrome drawing, otherwise the colour of
    // the bottom-left pixel as it is now.
    QRgb transparentColour() const;
    // The drawing with every pixel of the transparent colour fully transparent and every other
    // pixel opaque (ARGB32 premultiplied). Made again only when the pixels have changed.
    const QImage& masked() const;

    // Counts the changes of the pixels.
    std::uint64_t revision() const { return m_revision; }
    // Called after every change of the pixels, so that whatever shows the drawing repaints.
    void setChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }

private:
    void changed();

    QImage m_pixels;
    int m_bitsPerPixel = 1;
    int m_screenDpi = 96;
    std::uint64_t m_revision = 0;
    std::map<std::pair<int, int>, QRect> m_textAreas;
    mutable QImage m_masked;
    mutable std::uint64_t m_maskedRevision = 0;
    std::function<void()> m_changed;
};

} // namespace vlnokan
