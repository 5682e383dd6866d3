#pragma once

#include "drawing/Diagram.h"

#include <initializer_list>
#include <vector>

namespace vlnokan::drawing {

// Sets the pixels of the drawings' elements one by one, so every end, corner and arrow tip lands
// exactly where the drawing has it, with no smoothing. Pixels outside the image are ignored.
class PixelPen final {
public:
    enum class Pointing { Up, Down, Left, Right };

    PixelPen(Diagram& diagram, Rgb colour);

    void setColour(Rgb colour) { m_colour = colour; }

    void point(Point at);
    // A one-pixel line with both end pixels set (Bresenham).
    void line(Point from, Point to);
    void lines(std::initializer_list<std::pair<Point, Point>> segments);
    // The outline of a rectangle whose corners are the given pixels.
    void outline(Point topLeft, Point bottomRight);
    // A horizontal line drawn with a repeating pattern of runs, on first, then off, on, ...;
    // the pattern starts afresh at every x = anchor + k × period and is cut at both ends.
    void dashedHorizontal(int y, int fromX, int toX, int anchor, const std::vector<int>& runs);
    // A dimension line's arrowhead, 6 pixels long and 5 wide, its tip at tip.
    void arrowhead(Point tip, Pointing pointing);
    // An arc about centre that runs from `from` through the point straight below the centre at
    // distance radius to `to` (from left to right). The given ends need not lie on the circle:
    // the radius is eased from each end's own distance to radius at the lowest point, so the arc
    // meets its ends exactly and stays a circle where it matters.
    void arcBelow(Point centre, int radius, Point from, Point to);

private:
    Diagram& m_diagram;
    Rgb m_colour;
};

} // namespace vlnokan::drawing
