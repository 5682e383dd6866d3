#pragma once

#include "measure/Sweep.h"
#include "measure/TrimAdvice.h"
#include "sim/SimResults.h"

#include <QString>

namespace vlnokan::simview {

// What the measured sweep says, and how it differs from the simulated one (dip, depth, R and X
// at f), for the panel's text.
QString measuredText(const measure::Sweep& measured, const QString& fileName, double centreHz,
                     const sim::SimResults* simulated);

// The probe's trim for the builder: "Zkraťte sondu o 2 mm (± 0,5 mm)." and the like.
QString trimText(const measure::TrimAdvice& advice, double extraSeconds);

} // namespace vlnokan::simview
