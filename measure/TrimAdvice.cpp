#include "measure/TrimAdvice.h"

#include "measure/MatchReading.h"

#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace vlnokan::measure {

namespace {

using Samples = std::vector<SweepSample>;

// What is compared between sweeps: the dip's frequency and R and X at the design frequency.
struct Features {
    std::array<double, 3> values{};
};

constexpr double deepEnoughDb = -6;     // a shallower minimum is no dip of this antenna
constexpr double reachSteps = 3;        // how far beyond the simulated steps the fit is trusted
constexpr double misfitLimit = 3;       // residual in standard deviations: another antenna
constexpr double nonlinearShare = 0.15; // of the correction, for extrapolating a linear fit

std::optional<Features> features(const Samples& samples, double designHz, std::string& why,
                                 bool measured) {
    const MatchReading reading = readMatch(samples, designHz);
    const std::string whose = measured ? "změřená" : "simulovaná";
    if (reading.best.s11Db > deepEnoughDb) {
        why = whose + " křivka nemá v proměřeném pásmu žádný pokles S11 (nejníže " +
              std::to_string(int(std::lround(reading.best.s11Db))) + " dB)";
        return std::nullopt;
    }
    if (reading.bestAtEdge) {
        why = whose + " křivka klesá až na okraj proměřeného pásma; pokles leží mimo ně";
        return std::nullopt;
    }
    if (!reading.atDesign) {
        why = "měření nezahrnuje navržený kmitočet";
        return std::nullopt;
    }
    Features result;
    result.values = {dipFrequency(samples), reading.atDesign->impedance.real(),
                     reading.atDesign->impedance.imag()};
    return result;
}

double spacing(const Samples& samples) {
    return samples.size() > 1
               ? (samples.back().hz - samples.front().hz) / double(samples.size() - 1)
               : 0;
}

} // namespace

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
    const auto design = features(study.design, study.designHz, why, false);
    const auto longer = features(study.longer, study.designHz, why, false);
    const auto further = features(study.further, study.designHz, why, false);
    if (!design || !longer || !further) {
        advice.reason = why;
        return advice;
    }
    advice.simulatedDipHz = design->values[0];
    advice.hzPerMmLonger = (longer->values[0] - design->values[0]) / study.lengthStepMm;
    advice.hzPerMmFurther = (further->values[0] - design->values[0]) / study.heightStepMm;
    const auto seen = features(measured, study.designHz, why, true);
    if (!seen) {
        advice.reason = why;
        return advice;
    }
    advice.measuredDipHz = seen->values[0];
    const double low = study.design.front().hz;
    const double high = study.design.back().hz;
    if (advice.measuredDipHz < low || advice.measuredDipHz > high) {
        advice.reason = "pokles leží mimo simulované pásmo, kam rada nedosáhne";
        return advice;
    }

    // Each feature's standard deviation: the sweeps' steps (the dip is found between samples
    // to about a quarter of a step), and the mesh's numerical dispersion, which makes the
    // simulated waves slower by about (pi / N)^2 / 6 on N cells a wavelength.
    const double n = study.cellsPerWavelength * high / study.designHz;
    const double dispersion = std::pow(std::numbers::pi / n, 2) / 6;
    const double stepHz = std::hypot(spacing(measured), spacing(study.design)) / 4;
    const std::array<double, 3> sigma{
        std::hypot(stepHz, dispersion * study.designHz),
        std::max(1.0, 4 * dispersion * std::abs(design->values[1])) + 1.0,
        std::max(1.0, 4 * dispersion * std::abs(design->values[1])) + 1.0};

    // Weighted least squares for the two unknowns.
    std::array<double, 3> a{}, b{}, d{};
    for (std::size_t k = 0; k < 3; ++k) {
        a[k] = (longer->values[k] - design->values[k]) / study.lengthStepMm / sigma[k];
        b[k] = (further->values[k] - design->values[k]) / study.heightStepMm / sigma[k];
        d[k] = (seen->values[k] - design->values[k]) / sigma[k];
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
    // Two standard deviations, and the linear fit's own error growing with the correction.
    advice.lengthUncertaintyMm =
        std::hypot(2 * lengthSigma, nonlinearShare * std::abs(advice.longerMm));
    advice.heightUncertaintyMm =
        std::hypot(2 * heightSigma, nonlinearShare * std::abs(advice.furtherMm));
    if (std::abs(advice.longerMm) > reachSteps * study.lengthStepMm ||
        std::abs(advice.furtherMm) > reachSteps * study.heightStepMm) {
        advice.reason = "pokles je od simulovaného tak daleko, že by sonda musela být o desítky "
                        "procent jiná; rada tak daleko nesahá";
        return advice;
    }
    if (misfit > misfitLimit) {
        advice.reason = "změřená křivka se nedá vysvětlit delší, kratší ani posunutou sondou";
        return advice;
    }
    advice.trimLength = std::abs(advice.longerMm) > advice.lengthUncertaintyMm;
    advice.moveProbe = std::abs(advice.furtherMm) > advice.heightUncertaintyMm;
    advice.verdict = advice.trimLength || advice.moveProbe ? TrimAdvice::Verdict::Trim
                                                           : TrimAdvice::Verdict::Leave;
    return advice;
}

} // namespace vlnokan::measure
