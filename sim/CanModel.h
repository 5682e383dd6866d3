#pragma once

#include "calc/Design.h"
#include "sim/SimModel.h"

#include <optional>
#include <string>

namespace vlnokan::sim {

// How finely the mesh resolves the shortest wavelength of the band.
enum class Quality { Quick, Fine };

double cellsPerWavelength(Quality quality);
std::optional<Quality> qualityFromName(const std::string& name);
const char* qualityName(Quality quality);

struct CanOptions {
    double cellsPerWavelength = 15;
    double probeRadius = 1;  // mm
    double bandShare = 0.2;  // the pulse covers f +- this share of f
    bool withFunnel = true;  // false: the can alone
    double endEnergy = 1e-4; // -40 dB
    // The probe as built rather than as designed: longer (mm, negative shorter) and further
    // from the bottom (mm, negative nearer) than the design's Lo/4 and Lg/4.
    double probeLonger = 0;
    double probeFurther = 0;
};

// How large the model of a design is, known before it is built: its cells (mesh and absorbing
// layer) and solids. Throws ESimulation as canModel does.
struct ModelSize {
    double cells = 0;
    double solids = 0;
};
ModelSize canModelSize(const Design& design, const CanOptions& options);

// The antenna as built from the design: the can (closed bottom at z = 0, open towards +z,
// 3/4 Lg long), the probe (Lo/4 long, at Lg/4 from the bottom, standing in from the wall at +x),
// a 50-ohm feed in its first 2 mm at the wall, and the funnel from the can's mouth to Du.
// Throws ESimulation for a design that is not a working antenna.
SimModel canModel(const Design& design, const CanOptions& options);

} // namespace vlnokan::sim
