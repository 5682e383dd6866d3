#include "sim/SimResults.h"

#include "sim/SimFaults.h"

#include <charconv>
#include <istream>
#include <limits>
#include <locale>
#include <ostream>
#include <sstream>

namespace vlnokan::sim {

namespace {

constexpr const char* header = "vlnokan-simulation 2";

void writeList(std::ostream& out, const char* name, const std::vector<double>& values) {
    out << name << ' ' << values.size();
    for (const double value : values)
        out << ' ' << value;
    out << '\n';
}

class Reader final {
public:
    explicit Reader(std::istream& in) : m_in(in) {}

    double number(const char* name) {
        expect(name);
        return next();
    }

    std::optional<double> maybe(const char* name) {
        expect(name);
        std::string text;
        if (!(m_in >> text))
            broken();
        if (text == "-")
            return std::nullopt;
        return parsed(text);
    }

    std::vector<double> list(const char* name) {
        const double count = number(name);
        if (count < 0 || count > 1e6)
            broken();
        std::vector<double> values(static_cast<std::size_t>(count));
        for (double& value : values)
            value = next();
        return values;
    }

    void expect(const char* name) {
        std::string word;
        if (!(m_in >> word) || word != name)
            broken();
    }

    // One figure as the writer wrote it, inf and nan included, whatever the locale.
    double next() {
        std::string text;
        if (!(m_in >> text))
            broken();
        return parsed(text);
    }

    static double parsed(const std::string& text) {
        double value = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        if (error != std::errc() || stop != end)
            broken();
        return value;
    }

    [[noreturn]] static void broken() {
        throw ESimulation("Uložený výsledek simulace je poškozený.");
    }

private:
    std::istream& m_in;
};

} // namespace

void writeResults(std::ostream& out, const SimResults& results) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(std::numeric_limits<double>::max_digits10);
    text << header << '\n';
    text << "centre " << results.centreHz << '\n';
    text << "cells " << results.cells << '\n';
    text << "seconds " << results.seconds << '\n';
    text << "gain " << results.gainDbi << '\n';
    text << "efficiency " << results.efficiency << '\n';
    text << "directivity " << results.farField.directivityDbi << '\n';
    text << "radiated " << results.farField.radiatedPower << '\n';
    text << "frontback " << results.farField.frontToBackDb << '\n';
    std::vector<double> hz, s11, re, im, accepted, incident;
    for (const PortSample& sample : results.band) {
        hz.push_back(sample.hz);
        s11.push_back(sample.s11Db);
        re.push_back(sample.impedance.real());
        im.push_back(sample.impedance.imag());
        accepted.push_back(sample.acceptedPower);
        incident.push_back(sample.incidentPower);
    }
    writeList(text, "hz", hz);
    writeList(text, "s11", s11);
    writeList(text, "re", re);
    writeList(text, "im", im);
    writeList(text, "accepted", accepted);
    writeList(text, "incident", incident);
    writeList(text, "theta", results.farField.pattern.thetaDeg);
    writeList(text, "eplane", results.farField.pattern.ePlaneDb);
    writeList(text, "hplane", results.farField.pattern.hPlaneDb);
    writeList(text, "ephase", results.farField.pattern.ePlanePhaseDeg);
    writeList(text, "hphase", results.farField.pattern.hPlanePhaseDeg);
    text << "end\n";
    out << text.str();
}

SimResults readResults(std::istream& in) {
    std::string first;
    if (!std::getline(in, first) || first != header)
        Reader::broken();
    Reader read(in);
    SimResults results;
    results.centreHz = read.number("centre");
    results.cells = std::size_t(read.number("cells"));
    results.seconds = read.number("seconds");
    results.gainDbi = read.number("gain");
    results.efficiency = read.number("efficiency");
    results.farField.directivityDbi = read.number("directivity");
    results.farField.radiatedPower = read.number("radiated");
    results.farField.frontToBackDb = read.number("frontback");
    const auto hz = read.list("hz");
    const auto s11 = read.list("s11");
    const auto re = read.list("re");
    const auto im = read.list("im");
    const auto accepted = read.list("accepted");
    const auto incident = read.list("incident");
    auto& pattern = results.farField.pattern;
    pattern.thetaDeg = read.list("theta");
    pattern.ePlaneDb = read.list("eplane");
    pattern.hPlaneDb = read.list("hplane");
    pattern.ePlanePhaseDeg = read.list("ephase");
    pattern.hPlanePhaseDeg = read.list("hphase");
    read.expect("end");
    const std::size_t n = hz.size();
    if (n == 0 || s11.size() != n || re.size() != n || im.size() != n || accepted.size() != n ||
        incident.size() != n || pattern.ePlaneDb.size() != pattern.thetaDeg.size() ||
        pattern.hPlaneDb.size() != pattern.thetaDeg.size() ||
        pattern.ePlanePhaseDeg.size() != pattern.hPlanePhaseDeg.size() ||
        (!pattern.ePlanePhaseDeg.empty() &&
         pattern.ePlanePhaseDeg.size() != pattern.thetaDeg.size()))
        Reader::broken();
    for (std::size_t k = 0; k < n; ++k)
        results.band.push_back({hz[k], {re[k], im[k]}, s11[k], accepted[k], incident[k]});
    results.match = bestMatch(results.band);
    results.s11AtCentreDb = s11At(results.band, results.centreHz);
    return results;
}

} // namespace vlnokan::sim
