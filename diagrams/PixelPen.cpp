#include "diagrams/PixelPen.h"

#include <cmath>
#include <cstdlib>
#include <numeric>

namespace vlnokan {

PixelPen::PixelPen(QImage& image, QRgb colour) : m_image(image), m_colour(colour) {}

void PixelPen::point(QPoint at) {
    if (m_image.rect().contains(at))
        m_image.setPixel(at, m_colour);
}

void PixelPen::line(QPoint from, QPoint to) {
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    for (;;) {
        point(at);
        if (at == to)
            return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
}

void PixelPen::lines(std::initializer_list<std::pair<QPoint, QPoint>> segments) {
    for (const auto& [from, to] : segments)
        line(from, to);
}

void PixelPen::outline(QPoint topLeft, QPoint bottomRight) {
    const QPoint topRight(bottomRight.x(), topLeft.y());
    const QPoint bottomLeft(topLeft.x(), bottomRight.y());
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

void PixelPen::arrowhead(QPoint tip, Pointing pointing) {
    // Offsets for an arrow pointing up: along = distance behind the tip, across = to the side.
    static constexpr int shape[][2] = {{0, 0}, {1, -1}, {1, 0}, {1, 1}, {2, -1}, {2, 0},
                                       {2, 1}, {3, -1}, {3, 0}, {3, 1}, {4, -2}, {4, 0},
                                       {4, 2}, {5, -2}, {5, 0}, {5, 2}};
    for (const auto& [along, across] : shape) {
        switch (pointing) {
        case Pointing::Up:
            point(tip + QPoint(across, along));
            break;
        case Pointing::Down:
            point(tip + QPoint(across, -along));
            break;
        case Pointing::Left:
            point(tip + QPoint(along, across));
            break;
        case Pointing::Right:
            point(tip + QPoint(-along, across));
            break;
        }
    }
}

void PixelPen::arcBelow(QPoint centre, int radius, QPoint from, QPoint to) {
    // Angles are measured from straight down, negative to the left.
    const auto angleOf = [&](QPoint p) {
        return std::atan2(double(p.x() - centre.x()), double(p.y() - centre.y()));
    };
    const auto distanceOf = [&](QPoint p) {
        return std::hypot(double(p.x() - centre.x()), double(p.y() - centre.y()));
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
        return QPoint(int(std::lround(centre.x() + r * std::sin(angle))),
                      int(std::lround(centre.y() + r * std::cos(angle))));
    };
    // Steps well under a pixel; consecutive points are joined so the arc has no gaps.
    const int steps = std::max(1, int(std::ceil((last - first) * radius * 4)));
    QPoint previous = from;
    point(from);
    for (int i = 1; i < steps; ++i) {
        const QPoint next = at(first + (last - first) * i / steps);
        if (next != previous)
            line(previous, next);
        previous = next;
    }
    line(previous, to);
}

} // namespace vlnokan
