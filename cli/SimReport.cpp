#include "cli/SimReport.h"

#include "sim/EngineProgress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vlnokan::cli {

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

namespace {

std::string ghz(double hz) {
    return fixed(hz / 1e9, 3);
}

std::string duration(double seconds) {
    const long whole = std::lround(seconds);
    return whole >= 60 ? std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s"
                       : std::to_string(whole) + " s";
}

} // namespace

void printSimulation(std::ostream& out, const sim::SimResults& results, const std::string& quality,
                     std::optional<double> hornEstimateDbi, std::size_t rowStep) {
    const auto& band = results.band;
    const sim::PortSample* atCentre = &band.front();
    for (const auto& sample : band)
        if (std::abs(sample.hz - results.centreHz) < std::abs(atCentre->hz - results.centreHz))
            atCentre = &sample;
    const auto z = atCentre->impedance;
    out << "simulation = " << quality << ", " << results.cells << " cells"
        << (results.fromCache ? ", cached" : ", " + fixed(results.seconds, 0) + " s") << '\n';
    out << "S11 at f = " << fixed(results.s11AtCentreDb, 1) << " dB\n";
    out << "Z at f = " << fixed(z.real(), 1) << (z.imag() < 0 ? " - j" : " + j")
        << fixed(std::abs(z.imag()), 1) << " ohm\n";
    out << "best match = " << ghz(results.match.bestHz) << " GHz, "
        << fixed(results.match.bestDb, 1) << " dB\n";
    if (results.match.bandLowHz && results.match.bandHighHz)
        out << "S11 < -10 dB = " << ghz(*results.match.bandLowHz) << " - "
            << ghz(*results.match.bandHighHz) << " GHz\n";
    else
        out << "S11 < -10 dB = none\n";
    out << "gain = " << fixed(results.gainDbi, 1) << " dBi\n";
    if (hornEstimateDbi)
        out << "horn estimate = " << fixed(*hornEstimateDbi, 1) << " dBi\n";
    out << "front to back = " << fixed(results.farField.frontToBackDb, 1) << " dB\n";
    out << "f/GHz S11/dB R/ohm X/ohm\n";
    for (std::size_t k = 0; k < band.size(); k += std::max<std::size_t>(rowStep, 1))
        out << ghz(band[k].hz) << ' ' << fixed(band[k].s11Db, 2) << ' '
            << fixed(band[k].impedance.real(), 1) << ' ' << fixed(band[k].impedance.imag(), 1)
            << '\n';
    out.flush();
}

Json simulationJson(const sim::SimResults& results, const std::string& quality,
                    std::optional<double> hornEstimateDbi) {
    Json band = Json::array();
    for (const auto& sample : results.band)
        band.push_back({{"frequency", sample.hz / 1e9},
                        {"s11", sample.s11Db},
                        {"resistance", sample.impedance.real()},
                        {"reactance", sample.impedance.imag()}});
    const auto& match = results.match;
    const auto& pattern = results.farField.pattern;
    const auto nearest = std::min_element(
        results.band.begin(), results.band.end(), [&](const auto& a, const auto& b) {
            return std::abs(a.hz - results.centreHz) < std::abs(b.hz - results.centreHz);
        });
    Json atCentre = nullptr;
    if (nearest != results.band.end())
        atCentre = {{"resistance", nearest->impedance.real()},
                    {"reactance", nearest->impedance.imag()}};
    return {{"quality", quality},
            {"cells", results.cells},
            {"seconds", results.seconds},
            {"cached", results.fromCache},
            {"frequency", results.centreHz / 1e9},
            {"s11AtFrequency", results.s11AtCentreDb},
            {"impedanceAtFrequency", atCentre},
            {"bestMatch", {{"frequency", match.bestHz / 1e9}, {"s11", match.bestDb}}},
            {"band10dB",
             match.bandLowHz && match.bandHighHz
                 ? Json({{"low", *match.bandLowHz / 1e9}, {"high", *match.bandHighHz / 1e9}})
                 : Json(nullptr)},
            {"gain", results.gainDbi},
            {"hornEstimate", hornEstimateDbi ? Json(*hornEstimateDbi) : Json(nullptr)},
            {"directivity", results.farField.directivityDbi},
            {"efficiency", results.efficiency},
            {"frontToBack", results.farField.frontToBackDb},
            {"s11", band},
            {"pattern",
             {{"theta", pattern.thetaDeg},
              {"ePlane", pattern.ePlaneDb},
              {"hPlane", pattern.hPlaneDb}}}};
}

std::string progressText(const sim::Progress& progress, bool terminal) {
    const int percent = int(std::floor(progress.share * 100));
    const std::string left =
        progress.secondsLeft ? ", zbývá " + duration(*progress.secondsLeft) : "";
    if (!terminal)
        return "simulace " + std::to_string(percent) + " %" + left + "\n";
    const int width = 30;
    const int filled = std::clamp(int(progress.share * width), 0, width);
    return "\r[" + std::string(std::size_t(filled), '#') +
           std::string(std::size_t(width - filled), ' ') + "] " + std::to_string(percent) + " %" +
           left + "\033[K";
}

} // namespace vlnokan::cli
