#pragma once

#include "measure/Sweep.h"

#include <optional>
#include <string>
#include <vector>

namespace vlnokan::measure {

// How the simulated antenna answers a change of its probe: the design as drawn, the probe a
// step longer, and the probe a step further from the bottom, all on the same mesh.
struct TrimStudy {
    std::vector<SweepSample> design;
    std::vector<SweepSample> longer;
    std::vector<SweepSample> further;
    double lengthStepMm = 0;
    double heightStepMm = 0;
    double designHz = 0;
    double cellsPerWavelength = 10; // the mesh, at the highest simulated frequency
    double probeLengthMm = 0;       // as designed
    double probeHeightMm = 0;
};

// What the measurement says about the probe as built, against the simulation.
struct TrimAdvice {
    enum class Verdict { Leave, Trim, NotThisAntenna };
    Verdict verdict = Verdict::NotThisAntenna;
    // The measured antenna behaves as if its probe were this much longer (mm; negative: shorter)
    // and this much further from the bottom than designed; each with its uncertainty, and
    // whether it is larger than that uncertainty, so worth acting on.
    double longerMm = 0;
    double furtherMm = 0;
    double lengthUncertaintyMm = 0;
    double heightUncertaintyMm = 0;
    bool trimLength = false;
    bool moveProbe = false;
    // How far the dip moves for a millimetre of each (Hz per mm).
    double hzPerMmLonger = 0;
    double hzPerMmFurther = 0;
    double measuredDipHz = 0;
    double simulatedDipHz = 0;
    std::string reason; // why it does not look like this antenna (Czech)
};

// The probe's trim read from the measured sweep: the measured dip frequency and the impedance at
// the design frequency against the simulated ones, through the simulated answers to a longer and
// a further probe (a linear fit). The uncertainty takes in the sweeps' frequency steps, the
// analyser's accuracy, the linear fit's error and the mesh's own error (its waves run slower by
// (pi / N)^2 / 6 on N cells a wavelength, so every simulated length is uncertain by that share).
TrimAdvice adviseTrim(const TrimStudy& study, const std::vector<SweepSample>& measured);

// The deepest dip within window Hz of hz, between samples; nullopt when the lowest point there
// lies on the window's edge or is not below -6 dB.
std::optional<double> dipNear(const std::vector<SweepSample>& samples, double hz, double window);

// The step the advice is rounded to for an uncertainty: 0.1, 0.2, 0.5, 1 or 2 mm, never finer
// than the uncertainty itself.
double adviceStep(double uncertaintyMm);

// value rounded to a multiple of step.
double roundTo(double value, double step);

} // namespace vlnokan::measure
