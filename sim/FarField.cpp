#include "sim/FarField.h"

#include "sim/ModelWriter.h"
#include "sim/SimFaults.h"

#include <nf2ff.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <string>

namespace vlnokan::sim {

FarField farField(const std::filesystem::path& folder, const SimModel& model, double stepDeg) {
    const int steps = int(std::lround(360 / stepDeg));
    std::vector<float> theta;
    FarField result;
    for (int k = 0; k <= steps; ++k) {
        const double degrees = -180 + 360.0 * k / steps;
        result.pattern.thetaDeg.push_back(degrees);
        theta.push_back(float(degrees * std::numbers::pi / 180));
    }
    const std::vector<float> phi{0.0F, float(std::numbers::pi / 2)};
    // The library takes the phase centre in metres, whatever unit the model was drawn in.
    const std::vector<float> centre{float(model.phaseCentre[0] * 1e-3),
                                    float(model.phaseCentre[1] * 1e-3),
                                    float(model.phaseCentre[2] * 1e-3)};
    nf2ff transform({float(model.centreHz)}, theta, phi, centre, 1);
    transform.SetVerboseLevel(0);
    transform.SetRadius(1);
    for (int face = 0; face < 6; ++face) {
        const auto name = [&](const char* field) {
            return (folder /
                    (std::string(nearFieldName) + "_" + field + "_" + std::to_string(face) + ".h5"))
                .string();
        };
        std::error_code error;
        if (!std::filesystem::exists(name("E"), error) ||
            !transform.AnalyseFile(name("E"), name("H")))
            throw ESimulation(
                "Simulátor nezaznamenal pole kolem antény, vyzařování nelze spočítat.");
    }

    result.radiatedPower = transform.GetTotalRadPower(0);
    const double maxDirectivity = transform.GetMaxDirectivity(0);
    if (!(result.radiatedPower > 0) || !(maxDirectivity > 0))
        throw ESimulation("Anténa ve simulaci nevyzařuje, vyzařování nelze spočítat.");
    result.directivityDbi = 10 * std::log10(maxDirectivity);
    double** power = transform.GetRadPower(0);
    double strongest = 0;
    for (std::size_t t = 0; t < theta.size(); ++t)
        strongest = std::max({strongest, power[t][0], power[t][1]});
    const auto level = [&](double p) { return 10 * std::log10(std::max(p, 1e-30) / strongest); };
    std::complex<double>** eTheta = transform.GetETheta(0);
    std::complex<double>** ePhi = transform.GetEPhi(0);
    const auto degrees = [](std::complex<double> z) {
        return std::arg(z) * 180 / std::numbers::pi;
    };
    for (std::size_t t = 0; t < theta.size(); ++t) {
        result.pattern.ePlaneDb.push_back(level(power[t][0]));
        result.pattern.hPlaneDb.push_back(level(power[t][1]));
        result.pattern.ePlanePhaseDeg.push_back(degrees(eTheta[t][0]));
        result.pattern.hPlanePhaseDeg.push_back(degrees(-ePhi[t][1]));
    }
    const std::size_t forward = theta.size() / 2;
    result.frontToBackDb = result.pattern.ePlaneDb[forward] - result.pattern.ePlaneDb.front();
    return result;
}

} // namespace vlnokan::sim
