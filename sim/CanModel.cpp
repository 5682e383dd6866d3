#include "sim/CanModel.h"

#include "calc/CanCalc.h"
#include "sim/SimFaults.h"

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

SimModel canModel(const Design& design, const CanOptions& options) {
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
    const bool funnel = options.withFunnel && design.funnelKnown;
    const double radius = design.diameter / 2.0;
    const double mouth = funnel ? design.mouth / 2.0 : radius;
    const double halfAngle = design.angle * std::numbers::pi / 360;
    if (funnel && (mouth <= radius || halfAngle <= 0 || halfAngle >= std::numbers::pi / 2))
        refuse("trychtýř musí mít ústí širší než plechovka a úhel mezi 0 a 180 stupni.");
    if (!(options.cellsPerWavelength > 0) || !(options.probeRadius >= 0) ||
        !(options.bandShare > 0 && options.bandShare < 1) ||
        !(options.probeLonger > feedGap - lo / 4 &&
          lo / 4 + options.probeLonger < 2 * radius - 1) ||
        !(options.probeFurther > -lg / 4 && options.probeFurther < 0.75 * lg - lg / 4))
        refuse("neplatné nastavení simulace.");

    SimModel model;
    model.centreHz = f * 1e9;
    model.halfBandHz = options.bandShare * model.centreHz;
    model.endEnergy = options.endEnergy;
    const double shortest = lightSpeed / (f * (1 + options.bandShare));
    const double cell = shortest / options.cellsPerWavelength;
    // A wall at least a cell and a half thick, so that its staircase on the mesh has no holes.
    const double wall = hundredths(1.5 * cell);
    model.wallThickness = wall;

    const double length = hundredths(0.75 * lg);
    const double probeHeight = hundredths(lg / 4 + options.probeFurther);
    const double probeLength = hundredths(lo / 4 + options.probeLonger);
    const double hornLength = funnel ? hundredths((mouth - radius) / std::tan(halfAngle)) : 0;
    const double top = length + hornLength;

    // A solid metal slug hollowed out by air leaves the closed can.
    addCylinder(model, Material::Metal, -wall, length, radius + wall, 5);
    addCylinder(model, Material::Air, 0, funnel ? length : length + wall + 1, radius, 10);
    if (funnel) {
        // The cone as a stack of rings half a cell high; the mesh turns it into a staircase
        // anyway. The wall is measured across the cone's surface.
        const double slantWall = wall / std::cos(halfAngle);
        const int rings = std::max(1, int(std::ceil(hornLength / (cell / 2))));
        for (int k = 0; k < rings; ++k) {
            const double z0 = hundredths(length + hornLength * k / rings);
            const double z1 = hundredths(length + hornLength * (k + 1) / rings);
            const double r = radius + (0.5 * (z0 + z1) - length) * std::tan(halfAngle);
            addCylinder(model, Material::Metal, z0, z1, hundredths(r + slantWall), 6);
            addCylinder(model, Material::Air, z0, z1, hundredths(r), 11);
        }
    }

    // The probe stands in from the wall along -x. Its axis is always drawn as a wire, so that the
    // probe is there even where the mesh is coarser than its thickness.
    const double tip = radius - probeLength;
    const double base = radius - feedGap;
    model.solids.push_back(
        {Solid::Shape::Box, Material::Metal, {tip, 0, probeHeight}, {base, 0, probeHeight}, 0, 20});
    if (options.probeRadius > 0)
        model.solids.push_back({Solid::Shape::Cylinder,
                                Material::Metal,
                                {tip, 0, probeHeight},
                                {base, 0, probeHeight},
                                options.probeRadius,
                                20});
    model.port = {{base, 0, probeHeight}, {radius, 0, probeHeight}, 0, 50};

    // Air of about 0.8 free-space wavelengths around the antenna, then the absorbing layer.
    const double air = hundredths(0.8 * lo);
    const double outer = (funnel ? mouth : radius) + air;
    std::vector<double> across{-outer, -radius, 0, radius, outer};
    if (funnel) {
        across.push_back(-mouth);
        across.push_back(mouth);
    }
    std::vector<double> xs = across;
    xs.push_back(tip);
    xs.push_back(base);
    model.mesh[0] = meshLines(xs, cell);
    model.mesh[1] = meshLines(across, cell);
    model.mesh[2] = meshLines({-wall - air, -wall, 0, probeHeight, length, top, top + air}, cell);
    for (auto& lines : model.mesh)
        padMesh(lines, model.pmlCells, cell);

    // The recording box three cells inside the absorbing layer.
    const int inset = model.pmlCells + 3;
    for (int axis = 0; axis < 3; ++axis) {
        const auto& lines = model.mesh[std::size_t(axis)];
        model.nearFieldStart[std::size_t(axis)] = lines[std::size_t(inset)];
        model.nearFieldStop[std::size_t(axis)] = lines[lines.size() - 1 - std::size_t(inset)];
    }
    model.phaseCentre = {0, 0, top};
    return model;
}

} // namespace vlnokan::sim
