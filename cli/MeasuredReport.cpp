#include "cli/MeasuredReport.h"

#include "cli/NumberText.h"
#include "measure/MatchReading.h"

namespace vlnokan::cli {

namespace {

std::string bandText(const measure::Band& band) {
    return ghz(band.lowHz) + (band.openLow ? " (sweep start)" : "") + " - " + ghz(band.highHz) +
           (band.openHigh ? " (sweep end)" : "") + " GHz";
}

Json impedanceJson(std::complex<double> z) {
    // An open circuit has no finite impedance: null.
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag()))
        return {{"resistance", nullptr}, {"reactance", nullptr}};
    return {{"resistance", z.real()}, {"reactance", z.imag()}};
}

} // namespace

void printMeasured(std::ostream& out, const measure::Sweep& sweep, const std::string& fileName,
                   double designHz) {
    const auto& samples = sweep.samples;
    const measure::MatchReading reading = measure::readMatch(samples, designHz);
    out << "measured = " << fileName << ", " << samples.size() << " points, "
        << ghz(samples.front().hz) << " - " << ghz(samples.back().hz) << " GHz\n";
    out << "measured best match = " << ghz(reading.best.hz) << " GHz, "
        << fixed(reading.best.s11Db, 1) << " dB, " << ohms(reading.best.impedance) << '\n';
    std::string bands;
    for (const auto& band : reading.bands)
        bands += (bands.empty() ? "" : ", ") + bandText(band);
    out << "measured S11 < -10 dB = " << (bands.empty() ? "none" : bands) << '\n';
    if (reading.atDesign) {
        out << "measured S11 at f = " << fixed(reading.atDesign->s11Db, 1) << " dB\n";
        out << "measured Z at f = " << ohms(reading.atDesign->impedance) << '\n';
        out << "f in measured band = " << (reading.designInBand ? "yes" : "no") << '\n';
    } else {
        out << "measured S11 at f = not swept\n";
        out << "measured Z at f = not swept\n";
        out << "f in measured band = not swept\n";
    }
    out.flush();
}

Json measuredJson(const measure::Sweep& sweep, const std::string& fileName, double designHz) {
    const measure::MatchReading reading = measure::readMatch(sweep.samples, designHz);
    Json bands = Json::array();
    for (const auto& band : reading.bands)
        bands.push_back({{"low", band.lowHz / 1e9},
                         {"high", band.highHz / 1e9},
                         {"openLow", band.openLow},
                         {"openHigh", band.openHigh}});
    Json samples = Json::array();
    for (const auto& sample : sweep.samples) {
        Json each = {{"frequency", sample.hz / 1e9}, {"s11", sample.s11Db}};
        each.update(impedanceJson(sample.impedance));
        each["reflection"] = {sample.reflection.real(), sample.reflection.imag()};
        samples.push_back(each);
    }
    Json best = {{"frequency", reading.best.hz / 1e9}, {"s11", reading.best.s11Db}};
    best.update(impedanceJson(reading.best.impedance));
    Json atFrequency = nullptr;
    if (reading.atDesign) {
        atFrequency = {{"s11", reading.atDesign->s11Db}};
        atFrequency.update(impedanceJson(reading.atDesign->impedance));
    }
    return {{"file", fileName},
            {"version", sweep.version},
            {"ports", sweep.filePorts},
            {"referenceOhms", sweep.fileReferenceOhms},
            {"points", sweep.samples.size()},
            {"bestMatch", best},
            {"bands10dB", bands},
            {"atFrequency", atFrequency},
            {"frequencyInBand", reading.atDesign ? Json(reading.designInBand) : Json(nullptr)},
            {"samples", samples}};
}

} // namespace vlnokan::cli
