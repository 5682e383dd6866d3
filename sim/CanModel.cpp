#include "sim/CanModel.h"

#include "calc/CanCalc.h"
#include "sim/SimFaults.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace vlnokan::sim {

namespace {

constexpr double lightSpeed = 299.792458; // mm per ns: wavelength in mm from GHz
constexpr double feedGap = 2.0;           // mm of the probe next to the wall taken by the feed

void addCylinder(SimModel& model, Material material, double z0, double z1, double radius,
                 int priority) {
    model.solids.push_back(
        {Solid::Shape::Cylinder, material, {0, 0, z0}, {0, 0, z1}, radius, priority});
}

// The model's sizes to a hundredth of a millimetre: the structure file writes a solid's corners
// to six digits and a wire or feed only meets the mesh when its coordinates equal the lines'.
double hundredths(double millimetres) {
    return std::round(millimetres * 100) / 100;
}

void refuse(const char* why) {
    throw ESimulation(std::string("Tento návrh nelze simulovat: ") + why);
}

} // namespace

double cellsPerWavelength(Quality quality) {
    return quality == Quality::Fine ? 25 : 15;
}

std::optional<Quality> qualityFromName(const std::string& name) {
    if (name == "quick")
        return Quality::Quick;
    if (name == "fine")
        return Quality::Fine;
    return std::nullopt;
}

const char* qualityName(Quality quality) {
    return quality == Quality::Fine ? "fine" : "quick";
}

namespace {

// The antenna's dimensions and the mesh's key lines, worked out from the design alone: cheap
// even for a design far too large to simulate.
struct Layout {
    double centreHz = 0;
    double cell = 0;
    double wall = 0;
    double radius = 0;
    double mouth = 0;
    double halfAngle = 0;
    bool funnel = false;
    double length = 0;
    double probeHeight = 0;
    double probeLength = 0;
    double hornLength = 0;
    double top = 0;
    double tip = 0;
    double base = 0;
    double air = 0;
    std::array<std::vector<double>, 3> keys;

    // The cone as a stack of rings half a cell high.
    double rings() const { return funnel ? std::max(1.0, std::ceil(hornLength / (cell / 2))) : 0; }
};

Layout layoutOf(const Design& design, const CanOptions& options) {
    const double f = double(design.frequency);
    if (!design.canKnown || !std::isfinite(f) || f <= 0)
        refuse("kmitočet musí být kladný.");
    if (design.diameter <= 0)
        refuse("průměr plechovky musí být kladný.");
    // The same wavelengths the drawings give the builder.
    const Real freeSpace = can::freeSpaceWavelength(design.frequency);
    const Real cutoffWavelength = can::cutoffWavelength(design.diameter);
    const double lo = double(freeSpace);
    if (!(double(cutoffWavelength) > lo))
        refuse("plechovka je pro tento kmitočet příliš úzká.");
    const double lg = double(can::guideWavelength(freeSpace, cutoffWavelength));
    Layout at;
    at.funnel = options.withFunnel && design.funnelKnown;
    at.radius = design.diameter / 2.0;
    at.mouth = at.funnel ? design.mouth / 2.0 : at.radius;
    at.halfAngle = design.angle * std::numbers::pi / 360;
    if (at.funnel &&
        (at.mouth <= at.radius || at.halfAngle <= 0 || at.halfAngle >= std::numbers::pi / 2))
        refuse("trychtýř musí mít ústí širší než plechovka a úhel mezi 0 a 180 stupni.");
    if (!(options.cellsPerWavelength > 0) || !(options.probeRadius >= 0) ||
        !(options.bandShare > 0 && options.bandShare < 1) ||
        // A probe made longer or moved for the trim study must still stand inside the can.
        (options.probeLonger != 0 && !(options.probeLonger > feedGap - lo / 4 &&
                                       lo / 4 + options.probeLonger < 2 * at.radius - 1)) ||
        (options.probeFurther != 0 &&
         !(options.probeFurther > -lg / 4 && options.probeFurther < 0.75 * lg - lg / 4)))
        refuse("neplatné nastavení simulace.");

    at.centreHz = f * 1e9;
    const double shortest = lightSpeed / (f * (1 + options.bandShare));
    at.cell = shortest / options.cellsPerWavelength;
    // A wall at least a cell and a half thick, so that its staircase on the mesh has no holes.
    at.wall = hundredths(1.5 * at.cell);
    at.length = hundredths(0.75 * lg);
    at.probeHeight = hundredths(lg / 4 + options.probeFurther);
    at.probeLength = hundredths(lo / 4 + options.probeLonger);
    at.hornLength = at.funnel ? hundredths((at.mouth - at.radius) / std::tan(at.halfAngle)) : 0;
    at.top = at.length + at.hornLength;
    // The probe stands in from the wall along -x.
    at.tip = at.radius - at.probeLength;
    at.base = at.radius - feedGap;

    // Air of about 0.8 free-space wavelengths around the antenna, then the absorbing layer.
    at.air = hundredths(0.8 * lo);
    const double outer = (at.funnel ? at.mouth : at.radius) + at.air;
    std::vector<double> across{-outer, -at.radius, 0, at.radius, outer};
    if (at.funnel) {
        across.push_back(-at.mouth);
        across.push_back(at.mouth);
    }
    at.keys[0] = across;
    at.keys[0].push_back(at.tip);
    at.keys[0].push_back(at.base);
    at.keys[1] = across;
    at.keys[2] = {-at.wall - at.air, -at.wall, 0, at.probeHeight, at.length, at.top,
                  at.top + at.air};
    return at;
}

} // namespace

ModelSize canModelSize(const Design& design, const CanOptions& options) {
    const Layout at = layoutOf(design, options);
    const int pml = SimModel{}.pmlCells;
    ModelSize size;
    size.cells = 1;
    for (const auto& keys : at.keys)
        size.cells *= meshLineCount(keys, at.cell) + 2.0 * pml - 1;
    size.solids = 4 + 2 * at.rings();
    return size;
}

SimModel canModel(const Design& design, const CanOptions& options) {
    const Layout at = layoutOf(design, options);
    SimModel model;
    model.centreHz = at.centreHz;
    model.halfBandHz = options.bandShare * model.centreHz;
    model.endEnergy = options.endEnergy;
    model.wallThickness = at.wall;
    const double radius = at.radius;
    const double length = at.length;
    const double wall = at.wall;

    // A solid metal slug hollowed out by air leaves the closed can.
    addCylinder(model, Material::Metal, -wall, length, radius + wall, 5);
    addCylinder(model, Material::Air, 0, at.funnel ? length : length + wall + 1, radius, 10);
    if (at.funnel) {
        // The mesh turns the rings into a staircase anyway. The wall is measured across the
        // cone's surface.
        const double slantWall = wall / std::cos(at.halfAngle);
        const int rings = int(at.rings());
        for (int k = 0; k < rings; ++k) {
            const double z0 = hundredths(length + at.hornLength * k / rings);
            const double z1 = hundredths(length + at.hornLength * (k + 1) / rings);
            const double r = radius + (0.5 * (z0 + z1) - length) * std::tan(at.halfAngle);
            addCylinder(model, Material::Metal, z0, z1, hundredths(r + slantWall), 6);
            addCylinder(model, Material::Air, z0, z1, hundredths(r), 11);
        }
    }

    // The probe's axis is always drawn as a wire, so that the probe is there even where the mesh
    // is coarser than its thickness.
    const double probeHeight = at.probeHeight;
    model.solids.push_back({Solid::Shape::Box,
                            Material::Metal,
                            {at.tip, 0, probeHeight},
                            {at.base, 0, probeHeight},
                            0,
                            20});
    if (options.probeRadius > 0)
        model.solids.push_back({Solid::Shape::Cylinder,
                                Material::Metal,
                                {at.tip, 0, probeHeight},
                                {at.base, 0, probeHeight},
                                options.probeRadius,
                                20});
    model.port = {{at.base, 0, probeHeight}, {radius, 0, probeHeight}, 0, 50};

    for (std::size_t axis = 0; axis < 3; ++axis) {
        model.mesh[axis] = meshLines(at.keys[axis], at.cell);
        padMesh(model.mesh[axis], model.pmlCells, at.cell);
    }

    // The recording box three cells inside the absorbing layer.
    const int inset = model.pmlCells + 3;
    for (int axis = 0; axis < 3; ++axis) {
        const auto& lines = model.mesh[std::size_t(axis)];
        model.nearFieldStart[std::size_t(axis)] = lines[std::size_t(inset)];
        model.nearFieldStop[std::size_t(axis)] = lines[lines.size() - 1 - std::size_t(inset)];
    }
    model.phaseCentre = {0, 0, at.top};
    return model;
}

} // namespace vlnokan::sim
