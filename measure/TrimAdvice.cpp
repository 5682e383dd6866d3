#include "measure/TrimAdvice.h"

#include "measure/MatchReading.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>

namespace vlnokan::measure {

namespace {

using Samples = std::vector<SweepSample>;

// What is compared between sweeps: the dip's frequency and R and X at the design frequency.
using Features = std::array<double, 3>;

constexpr double deepEnoughDb = -6;     // a shallower minimum is no dip of this antenna
constexpr double dipWindow = 0.05;      // of the design frequency: where the dip is looked for
constexpr double reachSteps = 3;        // how far beyond the simulated steps the fit is trusted
constexpr double misfitLimit = 3;       // residual in standard deviations: another antenna
constexpr double nonlinearShare = 0.15; // of the correction, for extrapolating a linear fit
constexpr double analyserOhms = 1;      // a cheap analyser's |S11| to about 0.01 near 50 ohms
// The probe's reactance is what the mesh renders worst: a thin wire on cells of several
// millimetres. On the tests' mesh it moved by some 5 ohms, not steadily, between probes 2 mm
// apart, so it counts for less than the resistance.
constexpr double meshReactanceOhms = 5;

std::string ghz(double hz) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", hz / 1e9);
    return text;
}

std::optional<Features> features(const Samples& samples, double designHz, double dipHz,
                                 std::string& why, bool measured) {
    const std::string whose = measured ? "změřená" : "simulovaná";
    const MatchReading reading = readMatch(samples, designHz);
    if (reading.best.s11Db > deepEnoughDb) {
        why = whose + " křivka nemá v proměřeném pásmu žádný pokles S11 (nejníže " +
              std::to_string(int(std::lround(reading.best.s11Db))) + " dB)";
        return std::nullopt;
    }
    if (!reading.atDesign) {
        why = "měření nezahrnuje navržený kmitočet " + ghz(designHz) + " GHz";
        return std::nullopt;
    }
    const auto dip = dipNear(samples, dipHz, dipWindow * designHz);
    if (!dip) {
        why = whose + " křivka má nejhlubší pokles na " + ghz(reading.best.hz) +
              " GHz, daleko od simulovaného " + ghz(dipHz) + " GHz, kam rada nedosáhne";
        return std::nullopt;
    }
    return Features{*dip, reading.atDesign->impedance.real(), reading.atDesign->impedance.imag()};
}

double spacing(const Samples& samples) {
    return samples.size() > 1
               ? (samples.back().hz - samples.front().hz) / double(samples.size() - 1)
               : 0;
}

} // namespace

std::optional<double> dipNear(const Samples& samples, double hz, double window) {
    Samples near;
    for (const auto& sample : samples)
        if (std::abs(sample.hz - hz) <= window)
            near.push_back(sample);
    if (near.size() < 3)
        return std::nullopt;
    const MatchReading reading = readMatch(near, hz);
    if (reading.bestAtEdge || reading.best.s11Db > deepEnoughDb)
        return std::nullopt;
    return dipFrequency(near);
}

double adviceStep(double uncertaintyMm) {
    double step = 0.1;
    for (const double candidate : {0.2, 0.5, 1.0, 2.0})
        if (candidate <= uncertaintyMm)
            step = candidate;
    return step;
}

double roundTo(double value, double step) {
    return std::round(value / step) * step;
}

TrimAdvice adviseTrim(const TrimStudy& study, const Samples& measured) {
    TrimAdvice advice;
    std::string why;
    if (study.design.empty()) {
        advice.reason = "chybí simulace";
        return advice;
    }
    const double simulatedDip = readMatch(study.design, study.designHz).best.hz;
    const auto design = features(study.design, study.designHz, simulatedDip, why, false);
    const auto longer = features(study.longer, study.designHz, simulatedDip, why, false);
    const auto further = features(study.further, study.designHz, simulatedDip, why, false);
    if (!design || !longer || !further) {
        advice.reason = why;
        return advice;
    }
    advice.simulatedDipHz = (*design)[0];
    advice.hzPerMmLonger = ((*longer)[0] - (*design)[0]) / study.lengthStepMm;
    advice.hzPerMmFurther = ((*further)[0] - (*design)[0]) / study.heightStepMm;
    const auto seen = features(measured, study.designHz, simulatedDip, why, true);
    if (!seen) {
        advice.reason = why;
        return advice;
    }
    advice.measuredDipHz = (*seen)[0];
    const double high = study.design.back().hz;

    // Each feature's standard deviation: the dip is found between samples to about a quarter
    // of the sweeps' steps; R to the analyser's accuracy, X to the mesh's.
    const std::array<double, 3> sigma{std::hypot(spacing(measured), spacing(study.design)) / 4,
                                      analyserOhms, std::hypot(analyserOhms, meshReactanceOhms)};

    // Weighted least squares for the two unknowns.
    std::array<double, 3> a{}, b{}, d{};
    for (std::size_t k = 0; k < 3; ++k) {
        a[k] = ((*longer)[k] - (*design)[k]) / study.lengthStepMm / sigma[k];
        b[k] = ((*further)[k] - (*design)[k]) / study.heightStepMm / sigma[k];
        d[k] = ((*seen)[k] - (*design)[k]) / sigma[k];
    }
    double aa = 0, ab = 0, bb = 0, ad = 0, bd = 0;
    for (std::size_t k = 0; k < 3; ++k) {
        aa += a[k] * a[k];
        ab += a[k] * b[k];
        bb += b[k] * b[k];
        ad += a[k] * d[k];
        bd += b[k] * d[k];
    }
    const double det = aa * bb - ab * ab;
    if (!(det > 1e-12 * aa * bb)) {
        advice.reason = "simulace neukazuje, jak délka a místo sondy mění přizpůsobení";
        return advice;
    }
    advice.longerMm = (bb * ad - ab * bd) / det;
    advice.furtherMm = (aa * bd - ab * ad) / det;
    double misfit = 0;
    for (std::size_t k = 0; k < 3; ++k)
        misfit += std::pow(d[k] - a[k] * advice.longerMm - b[k] * advice.furtherMm, 2);
    misfit = std::sqrt(misfit);

    const double lengthSigma = std::sqrt(bb / det);
    const double heightSigma = std::sqrt(aa / det);
    // One standard deviation of the fit, the linear fit's own error growing with the correction,
    // and the
    // mesh: its waves run slower by about (pi / N)^2 / 6 on N cells a wavelength, and every
    // length the simulation implies is uncertain by that share of itself.
    const double n = study.cellsPerWavelength * high / study.designHz;
    const double dispersion = std::pow(std::numbers::pi / n, 2) / 6;
    advice.lengthUncertaintyMm = std::hypot(lengthSigma, nonlinearShare * std::abs(advice.longerMm),
                                            dispersion * study.probeLengthMm);
    advice.heightUncertaintyMm = std::hypot(
        heightSigma, nonlinearShare * std::abs(advice.furtherMm), dispersion * study.probeHeightMm);
    if (misfit > misfitLimit) {
        advice.reason = "změřená křivka se nedá vysvětlit delší, kratší ani posunutou sondou";
        return advice;
    }
    if (std::abs(advice.longerMm) > reachSteps * study.lengthStepMm ||
        std::abs(advice.furtherMm) > reachSteps * study.heightStepMm) {
        advice.reason = "pokles je od simulovaného tak daleko, že by sonda musela být o desítky "
                        "procent jiná; rada tak daleko nesahá";
        return advice;
    }
    advice.trimLength = std::abs(advice.longerMm) > advice.lengthUncertaintyMm;
    advice.moveProbe = std::abs(advice.furtherMm) > advice.heightUncertaintyMm;
    advice.verdict = advice.trimLength || advice.moveProbe ? TrimAdvice::Verdict::Trim
                                                           : TrimAdvice::Verdict::Leave;
    return advice;
}

} // namespace vlnokan::measure
