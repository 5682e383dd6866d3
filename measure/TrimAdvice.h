#pragma once

#include "measure/Sweep.h"

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
// a further probe (a linear fit). The uncertainty takes in the sweeps' frequency steps and the
// mesh's own error; the advice is never finer than it.
TrimAdvice adviseTrim(const TrimStudy& study, const std::vector<SweepSample>& measured);

// The step the advice is rounded to for an uncertainty: 0.1, 0.2, 0.5, 1 or 2 mm, never finer
// than the uncertainty itself.
double adviceStep(double uncertaintyMm);

// value rounded to a multiple of step.
double roundTo(double value, double step);

} // namespace vlnokan::measure
