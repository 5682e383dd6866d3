#include "pattern/Outline.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace vlnokan::pattern {

namespace {

constexpr double radiansPerDegree = std::numbers::pi / 180.0;

Point onCircle(Point centre, double radius, double degrees) {
    const double a = degrees * radiansPerDegree;
    return {centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)};
}

void include(Box& box, Point p) {
    box.left = std::min(box.left, p.x);
    box.right = std::max(box.right, p.x);
    box.bottom = std::min(box.bottom, p.y);
    box.top = std::max(box.top, p.y);
}

} // namespace

Point Arc::start() const {
    return onCircle(centre, radius, startDeg);
}
Point Arc::end() const {
    return onCircle(centre, radius, startDeg + sweepDeg);
}

std::vector<Point> polygonise(const std::vector<Edge>& edges, double chordTolerance) {
    std::vector<Point> points;
    for (const Edge& edge : edges) {
        if (const auto* line = std::get_if<Line>(&edge)) {
            points.push_back(line->from);
            continue;
        }
        const Arc& arc = std::get<Arc>(edge);
        // The sagitta of a step of angle a is radius * (1 - cos(a / 2)).
        const double step =
            2.0 * std::acos(std::max(0.0, 1.0 - chordTolerance / std::max(arc.radius, 1e-9)));
        const int count = std::max(1, int(std::ceil(arc.sweepDeg * radiansPerDegree / step)));
        for (int i = 0; i < count; ++i)
            points.push_back(
                onCircle(arc.centre, arc.radius, arc.startDeg + arc.sweepDeg * i / count));
    }
    return points;
}

Box boundingBox(const std::vector<Edge>& edges) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    Box box{inf, inf, -inf, -inf};
    for (const Edge& edge : edges) {
        if (const auto* line = std::get_if<Line>(&edge)) {
            include(box, line->from);
            include(box, line->to);
            continue;
        }
        const Arc& arc = std::get<Arc>(edge);
        include(box, arc.start());
        include(box, arc.end());
        // The arc reaches the box wherever it passes a multiple of 90 degrees.
        for (double axis = std::ceil(arc.startDeg / 90.0) * 90.0;
             axis < arc.startDeg + arc.sweepDeg; axis += 90.0)
            include(box, onCircle(arc.centre, arc.radius, axis));
    }
    return box;
}

Point rotated(Point p, double degrees) {
    const double a = degrees * radiansPerDegree;
    const double c = std::cos(a);
    const double s = std::sin(a);
    return {p.x * c - p.y * s, p.x * s + p.y * c};
}

Edge rotated(const Edge& edge, double degrees) {
    if (const auto* line = std::get_if<Line>(&edge))
        return Line{rotated(line->from, degrees), rotated(line->to, degrees)};
    Arc arc = std::get<Arc>(edge);
    arc.centre = rotated(arc.centre, degrees);
    arc.startDeg = std::fmod(arc.startDeg + degrees, 360.0);
    if (arc.startDeg < 0)
        arc.startDeg += 360.0;
    return arc;
}

} // namespace vlnokan::pattern
