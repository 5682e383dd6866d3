#pragma once

#include <complex>
#include <string>
#include <vector>

namespace vlnokan::measure {

// One frequency of a sweep, referred to a 50-ohm line whatever the file was written for.
struct SweepSample {
    double hz = 0;
    std::complex<double> reflection; // S11 at 50 ohms
    std::complex<double> impedance;  // ohms; infinite for an open circuit
    double s11Db = 0;                // 20 log10 |S11|, no lower than -120
};

// A one-port sweep, frequencies rising.
struct Sweep {
    std::vector<SweepSample> samples;
    double fileReferenceOhms = 50; // what the file's numbers were referred to
    int filePorts = 1;             // 2 when S11 was taken from a two-port file
    int version = 1;               // the Touchstone version, 1 or 2
};

constexpr double lineOhms = 50;

// A sample at hz from its reflection at 50 ohms.
SweepSample sampleFromReflection(double hz, std::complex<double> reflection);

// A sample at hz from its impedance in ohms.
SweepSample sampleFromImpedance(double hz, std::complex<double> impedance);

} // namespace vlnokan::measure
