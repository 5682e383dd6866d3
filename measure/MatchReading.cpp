#include "measure/MatchReading.h"

#include <algorithm>
#include <cmath>

namespace vlnokan::measure {

namespace {

using Samples = std::vector<SweepSample>;

Samples::const_iterator lowest(const Samples& samples) {
    return std::min_element(samples.begin(), samples.end(),
                            [](const auto& a, const auto& b) { return a.s11Db < b.s11Db; });
}

// Where S11 crosses -10 dB between two samples, in dB linearly.
double crossing(const SweepSample& a, const SweepSample& b) {
    const double t = (goodMatchDb - a.s11Db) / (b.s11Db - a.s11Db);
    return a.hz + t * (b.hz - a.hz);
}

} // namespace

std::optional<SweepSample> sampleAt(const Samples& samples, double hz) {
    if (samples.empty() || hz < samples.front().hz || hz > samples.back().hz)
        return std::nullopt;
    const auto after = std::lower_bound(samples.begin(), samples.end(), hz,
                                        [](const auto& s, double f) { return s.hz < f; });
    if (after->hz == hz || after == samples.begin())
        return *after;
    const auto& a = *(after - 1);
    const auto& b = *after;
    const double t = (hz - a.hz) / (b.hz - a.hz);
    return sampleFromReflection(hz, a.reflection + t * (b.reflection - a.reflection));
}

double dipFrequency(const Samples& samples) {
    const auto best = lowest(samples);
    if (best == samples.begin() || best + 1 == samples.end())
        return best->hz;
    const double x0 = (best - 1)->hz, x1 = best->hz, x2 = (best + 1)->hz;
    // |S11|^2 is smooth through a dip, where the level in dB has a sharp notch.
    const double y0 = std::norm((best - 1)->reflection), y1 = std::norm(best->reflection),
                 y2 = std::norm((best + 1)->reflection);
    // The vertex of the parabola through three points, kept between the outer two.
    const double numerator = (x1 - x0) * (x1 - x0) * (y1 - y2) - (x1 - x2) * (x1 - x2) * (y1 - y0);
    const double denominator = (x1 - x0) * (y1 - y2) - (x1 - x2) * (y1 - y0);
    if (denominator == 0)
        return x1;
    return std::clamp(x1 - 0.5 * numerator / denominator, x0, x2);
}

MatchReading readMatch(const Samples& samples, double designHz) {
    MatchReading reading;
    if (samples.empty())
        return reading;
    const auto best = lowest(samples);
    reading.bestAtEdge = best == samples.begin() || best + 1 == samples.end();
    reading.best = sampleAt(samples, dipFrequency(samples)).value_or(*best);
    for (std::size_t k = 0; k < samples.size(); ++k) {
        if (samples[k].s11Db >= goodMatchDb)
            continue;
        Band band;
        band.openLow = k == 0;
        band.lowHz = band.openLow ? samples[k].hz : crossing(samples[k - 1], samples[k]);
        std::size_t end = k;
        while (end + 1 < samples.size() && samples[end + 1].s11Db < goodMatchDb)
            ++end;
        band.openHigh = end + 1 == samples.size();
        band.highHz = band.openHigh ? samples[end].hz : crossing(samples[end], samples[end + 1]);
        reading.bands.push_back(band);
        k = end;
    }
    reading.atDesign = sampleAt(samples, designHz);
    reading.designInBand =
        std::any_of(reading.bands.begin(), reading.bands.end(),
                    [&](const Band& b) { return designHz >= b.lowHz && designHz <= b.highHz; });
    return reading;
}

} // namespace vlnokan::measure
