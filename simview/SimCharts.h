#pragma once

#include "measure/Sweep.h"
#include "sim/SimResults.h"

#include <QtCharts/QChart>
#include <QtCharts/QPolarChart>

namespace vlnokan::simview {

// S11 (left axis, dB) and the feed's resistance and reactance (right axis, ohms) against
// frequency, with the design frequency marked by a vertical line: the simulated curves, the
// measured ones (dashed, named "měřeno"), or both on the same axes. Either may be missing.
QChart* makeMatchChart(const sim::SimResults* results, const measure::Sweep* measured,
                       double centreHz);

// One plane's pattern around the antenna: level in dB below the strongest direction (down to
// -40 dB) against the angle from the axis, forward at the top.
QPolarChart* makePatternChart(const QString& title, const std::vector<double>& thetaDeg,
                              const std::vector<double>& levelDb);

} // namespace vlnokan::simview
