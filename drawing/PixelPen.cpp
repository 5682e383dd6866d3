#include "drawing/PixelPen.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace vlnokan::drawing {

PixelPen::PixelPen(Diagram& diagram, Rgb colour) : m_diagram(diagram), m_colour(colour) {}

void PixelPen::point(Point at) {
    m_diagram.setPixel(at, m_colour);
}

void PixelPen::line(Point from, Point to) {
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1;
    const int stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    Point at = from;
    for (;;) {
        point(at);
        if (at == to)
            return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.y += stepY;
        }
    }
}

void PixelPen::lines(std::initializer_list<std::pair<Point, Point>> segments) {
    for (const auto& [from, to] : segments)
        line(from, to);
}

void PixelPen::outline(Point topLeft, Point bottomRight) {
    const Point topRight{bottomRight.x, topLeft.y};
    const Point bottomLeft{topLeft.x, bottomRight.y};
    lines({{topLeft, topRight},
           {topRight, bottomRight},
           {bottomLeft, bottomRight},
           {topLeft, bottomLeft}});
}

void PixelPen::dashedHorizontal(int y, int fromX, int toX, int anchor,
                                const std::vector<int>& runs) {
    const int period = std::accumulate(runs.begin(), runs.end(), 0);
    for (int x = fromX; x <= toX; ++x) {
        int phase = ((x - anchor) % period + period) % period;
        bool on = true;
        for (int run : runs) {
            if (phase < run)
                break;
            phase -= run;
            on = !on;
        }
        if (on)
            point({x, y});
    }
}

void PixelPen::arrowhead(Point tip, Pointing pointing) {
    // Offsets for an arrow pointing up: along = distance behind the tip, across = to the side.
    static constexpr int shape[][2] = {{0, 0}, {1, -1}, {1, 0}, {1, 1}, {2, -1}, {2, 0},
                                       {2, 1}, {3, -1}, {3, 0}, {3, 1}, {4, -2}, {4, 0},
                                       {4, 2}, {5, -2}, {5, 0}, {5, 2}};
    for (const auto& [along, across] : shape) {
        switch (pointing) {
        case Pointing::Up:
            point(tip + Point{across, along});
            break;
        case Pointing::Down:
            point(tip + Point{across, -along});
            break;
        case Pointing::Left:
            point(tip + Point{along, across});
            break;
        case Pointing::Right:
            point(tip + Point{-along, across});
            break;
        }
    }
}

void PixelPen::arcBelow(Point centre, int radius, Point from, Point to) {
    // Angles are measured from straight down, negative to the left.
    const auto angleOf = [&](Point p) {
        return std::atan2(double(p.x - centre.x), double(p.y - centre.y));
    };
    const auto distanceOf = [&](Point p) {
        return std::hypot(double(p.x - centre.x), double(p.y - centre.y));
    };
    const double first = angleOf(from);
    const double last = angleOf(to);
    const double fromRadius = distanceOf(from);
    const double toRadius = distanceOf(to);
    const auto at = [&](double angle) {
        const double end = angle < 0 ? first : last;
        const double endRadius = angle < 0 ? fromRadius : toRadius;
        const double share = end == 0 ? 0 : angle / end;
        const double r = radius + (endRadius - radius) * share * share;
        return Point{int(std::lround(centre.x + r * std::sin(angle))),
                     int(std::lround(centre.y + r * std::cos(angle)))};
    };
    // Steps well under a pixel; consecutive points are joined so the arc has no gaps.
    const int steps = std::max(1, int(std::ceil((last - first) * radius * 4)));
    Point previous = from;
    point(from);
    for (int i = 1; i < steps; ++i) {
        const Point next = at(first + (last - first) * i / steps);
        if (next != previous)
            line(previous, next);
        previous = next;
    }
    line(previous, to);
}

} // namespace vlnokan::drawing
