#include "sim/PortResponse.h"

#include "sim/SimFaults.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>

namespace vlnokan::sim {

namespace {

// The one-sided spectrum of a pulse sampled at the trace's own times.
std::complex<double> spectrum(const Trace& trace, double hz) {
    const double step = trace.time.size() > 1 ? trace.time[1] - trace.time[0] : 0;
    std::complex<double> sum;
    const double omega = 2 * std::numbers::pi * hz;
    for (std::size_t k = 0; k < trace.time.size(); ++k)
        sum += trace.value[k] * std::polar(1.0, -omega * trace.time[k]);
    return 2 * step * sum;
}

// Where the line from (x0, y0) to (x1, y1) reaches level.
double crossing(double level, double x0, double x1, double y0, double y1) {
    return y1 == y0 ? x0 : x0 + (x1 - x0) * (level - y0) / (y1 - y0);
}

} // namespace

Trace readTrace(std::istream& in) {
    Trace trace;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '%' || line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        std::istringstream fields(line);
        double time = 0;
        double value = 0;
        std::string rest;
        if (!(fields >> time >> value) || (fields >> rest) || !std::isfinite(time) ||
            !std::isfinite(value))
            throw ESimulation("Výstup simulátoru je poškozený: \"" + line.substr(0, 80) + "\".");
        trace.time.push_back(time);
        trace.value.push_back(value);
    }
    if (trace.time.size() < 2)
        throw ESimulation("Simulátor nezapsal napětí a proud na napájení antény.");
    return trace;
}

std::vector<PortSample> portResponse(const Trace& voltage, const Trace& current, double z0,
                                     const std::vector<double>& frequencies) {
    std::vector<PortSample> samples;
    for (const double hz : frequencies) {
        const std::complex<double> u = spectrum(voltage, hz);
        const std::complex<double> i = spectrum(current, hz);
        const std::complex<double> incident = 0.5 * (u + z0 * i);
        const std::complex<double> reflected = u - incident;
        PortSample sample;
        sample.hz = hz;
        sample.impedance = u / i;
        sample.s11Db = 20 * std::log10(std::abs(reflected) / std::abs(incident));
        sample.acceptedPower = 0.5 * std::real(u * std::conj(i));
        sample.incidentPower = 0.5 * std::norm(incident) / z0;
        samples.push_back(sample);
    }
    return samples;
}

std::vector<double> frequencyGrid(double low, double high, int count) {
    std::vector<double> grid;
    for (int k = 0; k < count; ++k)
        grid.push_back(count > 1 ? low + (high - low) * k / (count - 1) : low);
    return grid;
}

Match bestMatch(const std::vector<PortSample>& samples) {
    Match match;
    if (samples.empty())
        return match;
    const auto best = std::min_element(
        samples.begin(), samples.end(),
        [](const PortSample& a, const PortSample& b) { return a.s11Db < b.s11Db; });
    match.bestHz = best->hz;
    match.bestDb = best->s11Db;
    if (best->s11Db >= -10)
        return match;
    const auto at = std::size_t(best - samples.begin());
    std::size_t low = at;
    while (low > 0 && samples[low - 1].s11Db < -10)
        --low;
    std::size_t high = at;
    while (high + 1 < samples.size() && samples[high + 1].s11Db < -10)
        ++high;
    const auto edge = [](const PortSample& in, const PortSample& out) {
        return crossing(-10, in.hz, out.hz, in.s11Db, out.s11Db);
    };
    match.bandLowHz = low > 0 ? edge(samples[low], samples[low - 1]) : samples[low].hz;
    match.bandHighHz =
        high + 1 < samples.size() ? edge(samples[high], samples[high + 1]) : samples[high].hz;
    return match;
}

double s11At(const std::vector<PortSample>& samples, double hz) {
    if (samples.empty())
        return 0;
    if (hz <= samples.front().hz)
        return samples.front().s11Db;
    for (std::size_t k = 1; k < samples.size(); ++k)
        if (hz <= samples[k].hz) {
            const PortSample& a = samples[k - 1];
            const PortSample& b = samples[k];
            return a.s11Db + (b.s11Db - a.s11Db) * (hz - a.hz) / (b.hz - a.hz);
        }
    return samples.back().s11Db;
}

} // namespace vlnokan::sim
