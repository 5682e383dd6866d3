#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// An antenna as the field solver sees it: solids on a rectangular mesh in millimetres, one
// 50-ohm feed, a box of recorded fields around it for the far field, and the pulse that excites it.
namespace vlnokan::sim {

using Point = std::array<double, 3>;

enum class Material { Metal, Air };

// A box (which may be flat or a line) or a cylinder between two points on its axis.
struct Solid {
    enum class Shape { Box, Cylinder };
    Shape shape = Shape::Box;
    Material material = Material::Metal;
    Point start{};
    Point stop{};
    double radius = 0; // cylinders only
    int priority = 0;  // where solids overlap, the higher priority wins
};

// A lumped feed along one axis: a resistance in series with a voltage source.
struct LumpedPort {
    Point start{};
    Point stop{};
    int axis = 0; // 0 x, 1 y, 2 z: the direction from start to stop
    double resistance = 50;
};

struct SimModel {
    std::vector<Solid> solids;
    LumpedPort port;
    // Mesh lines in millimetres along x, y and z, sorted; the outer pmlCells on every side absorb.
    std::array<std::vector<double>, 3> mesh;
    int pmlCells = 8;
    // The faces on which the fields are recorded for the far field, inside the air, off the PML.
    Point nearFieldStart{};
    Point nearFieldStop{};
    // Where the far field's phase centre is, in millimetres.
    Point phaseCentre{};
    double centreHz = 0;     // the Gaussian pulse's centre, also the far-field frequency
    double halfBandHz = 0;   // the pulse covers centreHz +- halfBandHz
    double endEnergy = 1e-4; // the run ends when the energy has decayed to this share
    unsigned maxTimesteps = 200000;
    double wallThickness = 0; // millimetres, what the can walls were drawn with

    std::size_t cellCount() const;
};

// Mesh lines through every key line, the gaps between them split evenly into cells no larger
// than maxCell; key lines closer than a tenth of a millimetre count as one.
std::vector<double> meshLines(std::vector<double> keys, double maxCell);

// How many lines meshLines gives, without making them: as a double, since a design far too
// large to simulate may need more than any integer holds.
double meshLineCount(std::vector<double> keys, double maxCell);

// Adds `count` cells of `size` beyond both ends: the absorbing layer.
void padMesh(std::vector<double>& lines, int count, double size);

} // namespace vlnokan::sim
