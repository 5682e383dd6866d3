#pragma once

#include <variant>
#include <vector>

namespace vlnokan::pattern {

// Millimetres on the flat sheet, x to the right, y upward, the cone's apex at the origin.
struct Point {
    double x = 0;
    double y = 0;
};

struct Line {
    Point from;
    Point to;
};

// A true circular arc about centre, swept counter-clockwise from startDeg by sweepDeg
// (sweepDeg > 0), angles in degrees from the x axis.
struct Arc {
    Point centre;
    double radius = 0;
    double startDeg = 0;
    double sweepDeg = 0;

    Point start() const;
    Point end() const;
};

using Edge = std::variant<Line, Arc>;

// Axis-aligned box in millimetres.
struct Box {
    double left = 0;
    double bottom = 0;
    double right = 0;
    double top = 0;

    double width() const { return right - left; }
    double height() const { return top - bottom; }
};

// A polygon close to the edges (within chordTolerance), for the tests of where the pattern lies.
std::vector<Point> polygonise(const std::vector<Edge>& edges, double chordTolerance);

// Whether any point of the edge lies in the closed box, arcs by their true course; a line that
// only grazes the box's border counts.
bool meetsBox(const Edge& edge, const Box& box);

// The smallest box around the edges, arcs by their true extent.
Box boundingBox(const std::vector<Edge>& edges);

Point rotated(Point p, double degrees);
Edge rotated(const Edge& edge, double degrees);

} // namespace vlnokan::pattern
