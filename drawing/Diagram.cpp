#include "drawing/Diagram.h"

#include <limits>

namespace vlnokan::drawing {

Diagram::Diagram(Size size, int bitsPerPixel, const TextRenderer& renderer)
    : m_size(size), m_bitsPerPixel(bitsPerPixel), m_renderer(&renderer),
      m_pixels(std::size_t(size.width) * std::size_t(size.height), white) {}

std::vector<Rgb> Diagram::palette() const {
    if (m_bitsPerPixel == 1)
        return {black, white};
    std::vector<Rgb> colours(16, white);
    colours[0] = black;
    colours[1] = cyan;
    colours[2] = red;
    return colours;
}

int Diagram::paletteIndex(Point at) const {
    const Rgb colour = pixel(at);
    const std::vector<Rgb> colours = palette();
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const int dr = redOf(colour) - redOf(colours[i]);
        const int dg = greenOf(colour) - greenOf(colours[i]);
        const int db = blueOf(colour) - blueOf(colours[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = int(i);
            bestDistance = distance;
        }
    }
    return best;
}

int Diagram::textCellHeight() const {
    const TextInk none = m_renderer->render({}, Face{FaceKind::Figures, m_screenDpi});
    return none.ascent + none.descent;
}

Rect Diagram::writeText(Point topLeft, std::string_view text) {
    const TextInk ink = m_renderer->render(text, Face{FaceKind::Figures, m_screenDpi});
    // The white cell ends exactly where the last character's advance does.
    const Rect cell{topLeft.x, topLeft.y, ink.width(), ink.ascent + ink.descent};
    fill(cell, white);
    stampInk(*this, ink, topLeft.x, topLeft.y + ink.ascent, black);

    const Rect covered = cell.intersected(rect());
    Rect& area = m_textAreas[{topLeft.x, topLeft.y}];
    area = area.united(covered);
    changed();
    return covered;
}

void Diagram::eraseRect(const Rect& area) {
    const Rect inside = area.intersected(rect());
    if (inside.isEmpty())
        return;
    fill(inside, white);
    changed();
}

Rect Diagram::takeTextArea(Point topLeft) {
    const auto found = m_textAreas.find({topLeft.x, topLeft.y});
    if (found == m_textAreas.end())
        return {};
    const Rect area = found->second;
    m_textAreas.erase(found);
    return area;
}

Rgb Diagram::transparentColour() const {
    if (m_bitsPerPixel == 1)
        return white;
    return pixel({0, m_size.height - 1});
}

void Diagram::fill(const Rect& area, Rgb colour) {
    const Rect inside = area.intersected(rect());
    for (int y = inside.y; y < inside.bottom(); ++y)
        for (int x = inside.x; x < inside.right(); ++x)
            m_pixels[index({x, y})] = colour;
}

void Diagram::changed() {
    ++m_revision;
    if (m_changed)
        m_changed();
}

void stampInk(Diagram& diagram, const TextInk& text, int x, int baselineRow, Rgb colour) {
    const Rect& area = text.inkArea;
    for (int y = area.y; y < area.bottom(); ++y)
        for (int dx = area.x; dx < area.right(); ++dx)
            if (text.inkAt(dx, y))
                diagram.setPixel({x + dx, baselineRow + y}, colour);
}

int eightPointPixels(int screenDpi) {
    return (8 * screenDpi + 36) / 72;
}

} // namespace vlnokan::drawing
