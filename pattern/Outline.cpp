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

// Round-off in the positions of sheets and lines, far below a printer's dot.
constexpr double borderSlack = 1e-9;

bool inBox(const Box& box, Point p) {
    return p.x >= box.left - borderSlack && p.x <= box.right + borderSlack &&
           p.y >= box.bottom - borderSlack && p.y <= box.top + borderSlack;
}

// Clips the segment's parameter range [0, 1] against the box's four half-planes.
bool lineMeetsBox(const Line& line, const Box& box) {
    const double dx = line.to.x - line.from.x;
    const double dy = line.to.y - line.from.y;
    double low = 0;
    double high = 1;
    const double step[4] = {-dx, dx, -dy, dy};
    const double room[4] = {
        line.from.x - box.left + borderSlack, box.right + borderSlack - line.from.x,
        line.from.y - box.bottom + borderSlack, box.top + borderSlack - line.from.y};
    for (int k = 0; k < 4; ++k) {
        if (step[k] == 0) {
            if (room[k] < 0)
                return false;
            continue;
        }
        const double t = room[k] / step[k];
        if (step[k] < 0)
            low = std::max(low, t);
        else
            high = std::min(high, t);
        if (low > high)
            return false;
    }
    return true;
}

// The arc enters and leaves the box only where its circle crosses one of the box's four border
// lines: testing those angles, the arc's ends and a point between each two neighbours finds
// every part of the arc inside.
bool arcMeetsBox(const Arc& arc, const Box& box) {
    const double end = arc.startDeg + arc.sweepDeg;
    std::vector<double> angles{arc.startDeg, end};
    auto addWithin = [&](double degrees) {
        degrees = arc.startDeg + std::fmod(std::fmod(degrees - arc.startDeg, 360.0) + 360.0, 360.0);
        if (degrees <= end)
            angles.push_back(degrees);
    };
    for (double x : {box.left, box.right}) {
        const double c = (x - arc.centre.x) / arc.radius;
        if (std::abs(c) <= 1) {
            const double a = std::acos(c) / radiansPerDegree;
            addWithin(a);
            addWithin(-a);
        }
    }
    for (double y : {box.bottom, box.top}) {
        const double s = (y - arc.centre.y) / arc.radius;
        if (std::abs(s) <= 1) {
            const double a = std::asin(s) / radiansPerDegree;
            addWithin(a);
            addWithin(180.0 - a);
        }
    }
    std::sort(angles.begin(), angles.end());
    for (std::size_t i = 0; i < angles.size(); ++i) {
        if (inBox(box, onCircle(arc.centre, arc.radius, angles[i])))
            return true;
        if (i + 1 < angles.size() &&
            inBox(box, onCircle(arc.centre, arc.radius, (angles[i] + angles[i + 1]) / 2)))
            return true;
    }
    return false;
}

} // namespace

bool meetsBox(const Edge& edge, const Box& box) {
    if (const auto* line = std::get_if<Line>(&edge))
        return lineMeetsBox(*line, box);
    return arcMeetsBox(std::get<Arc>(edge), box);
}

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
