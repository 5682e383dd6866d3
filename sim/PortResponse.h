#pragma once

#include <complex>
#include <istream>
#include <optional>
#include <vector>

namespace vlnokan::sim {

// One of the engine's probe files: time in seconds and the voltage or current then.
struct Trace {
    std::vector<double> time;
    std::vector<double> value;
};

// Reads a probe file: "%" lines are remarks, every other line holds time and value. Throws
// ESimulation for a file that holds no samples or a line that is not two numbers.
Trace readTrace(std::istream& in);

// The feed seen at one frequency.
struct PortSample {
    double hz = 0;
    std::complex<double> impedance;
    double s11Db = 0;
    double acceptedPower = 0; // W, into the antenna
    double incidentPower = 0; // W, from the source
};

// The spectra of the feed's voltage and current at each frequency, as seen by a line of
// impedance z0: reflection, impedance and powers.
std::vector<PortSample> portResponse(const Trace& voltage, const Trace& current, double z0,
                                     const std::vector<double>& frequencies);

// Evenly spaced frequencies from low to high, both included.
std::vector<double> frequencyGrid(double low, double high, int count);

// Where the antenna matches best, and the band around that frequency in which S11 stays below
// -10 dB (edges interpolated; nullopt where S11 never gets below -10 dB, an edge at the end of
// the samples where the band runs past it).
struct Match {
    double bestHz = 0;
    double bestDb = 0;
    std::optional<double> bandLowHz;
    std::optional<double> bandHighHz;
};

Match bestMatch(const std::vector<PortSample>& samples);

// S11 at hz, interpolated between the samples around it.
double s11At(const std::vector<PortSample>& samples, double hz);

} // namespace vlnokan::sim
