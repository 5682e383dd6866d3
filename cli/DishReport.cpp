#include "cli/DishReport.h"

#include "cli/NumberText.h"

#include <cmath>

namespace vlnokan::cli {

namespace {

Json efficiencyJson(const feed::DishEfficiency& point) {
    return {{"fOverD", point.fOverD},        {"halfAngle", point.halfAngleDeg},
            {"aperture", point.aperture},    {"spillover", point.spillover},
            {"taper", point.taper},          {"phase", point.phase},
            {"crossPolar", point.crossPolar}};
}

} // namespace

std::optional<double> dishFOverD(const std::string& text) {
    try {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        if (used == text.size() && value >= 0.2 && value <= 2)
            return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

void printDish(std::ostream& out, const std::optional<feed::DishAnswer>& answer) {
    if (!answer) {
        out << "dish = no far-field phase in these results\n";
        return;
    }
    const auto& best = answer->best;
    const auto& yours = answer->yours;
    const auto& centre = answer->centre;
    out << "best f/D = " << fixed(best.fOverD, 2) << ", efficiency " << fixed(best.aperture, 2)
        << '\n';
    out << "efficiency at f/D " << fixed(yours.fOverD, 2) << " = " << fixed(yours.aperture, 2)
        << " (spillover " << fixed(yours.spillover, 2) << ", taper " << fixed(yours.taper, 2)
        << ", phase " << fixed(yours.phase, 2) << ", cross-polar " << fixed(yours.crossPolar, 2)
        << ")\n";
    out << "phase centre = " << fixed(std::abs(centre.offsetMm), 1) << " mm "
        << (centre.offsetMm < 0 ? "inside" : "in front of") << " the can's mouth, phase within "
        << fixed(centre.flatnessDeg, 0) << " deg over " << fixed(centre.beamDeg, 0)
        << " deg off the axis\n";
    out << feed::builderSentence(*answer, feed::Language::English) << '\n';
}

Json dishJson(const std::optional<feed::DishAnswer>& answer) {
    if (!answer)
        return nullptr;
    Json curve = Json::array();
    for (const auto& point : answer->curve)
        curve.push_back({{"fOverD", point.fOverD},
                         {"aperture", point.aperture},
                         {"spillover", point.spillover},
                         {"taper", point.taper}});
    return {{"best", efficiencyJson(answer->best)},
            {"yours", efficiencyJson(answer->yours)},
            {"phaseCentre",
             {{"fromMouth", answer->centre.offsetMm},
              {"flatness", answer->centre.flatnessDeg},
              {"beam", answer->centre.beamDeg}}},
            {"suits", {{"from", answer->suitsFrom}, {"to", answer->suitsTo}}},
            {"advice", feed::builderSentence(*answer, feed::Language::English)},
            {"curve", curve}};
}

} // namespace vlnokan::cli
