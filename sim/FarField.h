#pragma once

#include "sim/SimModel.h"

#include <filesystem>
#include <vector>

namespace vlnokan::sim {

// The radiation in the two principal planes through the antenna's axis (+z, theta 0): the
// E-plane holds the probe (x-z), the H-plane is square to it (y-z). Theta from -180 to 180
// degrees; levels in dB below the strongest direction.
struct Pattern {
    std::vector<double> thetaDeg;
    std::vector<double> ePlaneDb;
    std::vector<double> hPlaneDb;
    // The co-polar field's phase in degrees about the phase centre (the can's mouth): E-theta in
    // the E-plane, -E-phi in the H-plane, so that both read alike on the axis.
    std::vector<double> ePlanePhaseDeg;
    std::vector<double> hPlanePhaseDeg;
};

struct FarField {
    double directivityDbi = 0; // in the strongest direction
    double radiatedPower = 0;  // W
    double frontToBackDb = 0;  // forward (+z) against backward, E-plane
    Pattern pattern;
};

// The far field at the model's frequency from the fields the engine recorded in folder, through
// openEMS's near-to-far-field library. Throws ESimulation when the recordings are missing.
FarField farField(const std::filesystem::path& folder, const SimModel& model, double stepDeg = 2);

} // namespace vlnokan::sim
