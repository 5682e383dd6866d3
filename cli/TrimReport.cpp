#include "cli/TrimReport.h"

#include "cli/NumberText.h"
#include "measure/MatchReading.h"
#include "sim/TrimStudy.h"

#include <cmath>

namespace vlnokan::cli {

namespace {

using Verdict = measure::TrimAdvice::Verdict;

// A length no finer than its uncertainty allows, and the uncertainty rounded up to that step.
std::string millimetres(double value, double uncertainty) {
    const double step = measure::adviceStep(uncertainty);
    const int decimals = step < 1 ? 1 : 0;
    return fixed(std::abs(measure::roundTo(value, step)), decimals) + " mm (+- " +
           fixed(std::ceil(uncertainty / step - 1e-9) * step, decimals) + " mm)";
}

std::string verdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::Leave:
        return "leave";
    case Verdict::Trim:
        return "trim";
    case Verdict::NotThisAntenna:
        return "not this antenna";
    }
    return "";
}

} // namespace

std::string adviceText(const measure::TrimAdvice& advice) {
    if (advice.verdict == Verdict::NotThisAntenna)
        return "none: the measurement does not look like this antenna (" + advice.reason + ")";
    if (advice.verdict == Verdict::Leave)
        return "leave the probe as it is: within what the simulation can tell (length +- " +
               fixed(advice.lengthUncertaintyMm, 1) + " mm, place +- " +
               fixed(advice.heightUncertaintyMm, 1) + " mm)";
    std::string text;
    if (advice.trimLength)
        text = (advice.longerMm > 0 ? "shorten the probe by " : "lengthen the probe by ") +
               millimetres(advice.longerMm, advice.lengthUncertaintyMm);
    if (advice.moveProbe) {
        if (!text.empty())
            text += "; ";
        text += advice.furtherMm > 0
                    ? "the probe is too far from the bottom by about " +
                          millimetres(advice.furtherMm, advice.heightUncertaintyMm) +
                          ": drill a new hole nearer the bottom or put a new bottom in nearer "
                          "the probe"
                    : "the probe is too near the bottom by about " +
                          millimetres(advice.furtherMm, advice.heightUncertaintyMm) +
                          ": drill a new hole further from the bottom";
    }
    return text;
}

void printComparison(std::ostream& out, const sim::SimResults& simulated,
                     const measure::Sweep& measured, const measure::TrimAdvice& advice,
                     double extraSeconds) {
    const auto simulatedSweep = sim::sweepOf(simulated);
    const auto sim = measure::readMatch(simulatedSweep, simulated.centreHz);
    const auto seen = measure::readMatch(measured.samples, simulated.centreHz);
    out << "difference dip = measured " << ghz(seen.best.hz) << " GHz, simulated "
        << ghz(sim.best.hz) << " GHz (" << (seen.best.hz >= sim.best.hz ? "+" : "")
        << fixed((seen.best.hz - sim.best.hz) / 1e6, 0) << " MHz)\n";
    out << "difference depth = measured " << fixed(seen.best.s11Db, 1) << " dB, simulated "
        << fixed(sim.best.s11Db, 1) << " dB\n";
    if (seen.atDesign && sim.atDesign)
        out << "difference at f = measured " << ohms(seen.atDesign->impedance) << ", simulated "
            << ohms(sim.atDesign->impedance) << '\n';
    out << "trim = " << adviceText(advice) << '\n';
    out << "trim simulations = probe " << fixed(sim::trimStepMm, 0) << " mm longer and "
        << fixed(sim::trimStepMm, 0) << " mm further from the bottom, "
        << (extraSeconds > 0 ? fixed(extraSeconds, 0) + " s" : "cached") << '\n';
    out.flush();
}

Json trimJson(const measure::TrimAdvice& advice, double extraSeconds) {
    return {{"verdict", verdictName(advice.verdict)},
            {"advice", adviceText(advice)},
            {"longer", advice.longerMm},
            {"longerUncertainty", advice.lengthUncertaintyMm},
            {"further", advice.furtherMm},
            {"furtherUncertainty", advice.heightUncertaintyMm},
            {"measuredDip", advice.measuredDipHz / 1e9},
            {"simulatedDip", advice.simulatedDipHz / 1e9},
            {"mhzPerMmLonger", advice.hzPerMmLonger / 1e6},
            {"mhzPerMmFurther", advice.hzPerMmFurther / 1e6},
            {"reason", advice.reason.empty() ? Json(nullptr) : Json(advice.reason)},
            {"seconds", extraSeconds}};
}

} // namespace vlnokan::cli
