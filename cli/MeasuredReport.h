#pragma once

#include "cli/JsonReport.h"
#include "measure/Sweep.h"

#include <ostream>
#include <string>

namespace vlnokan::cli {

// What the builder reads from his measured sweep, as lines "measured ... = value": the sweep,
// the best match, the -10 dB bands, S11 and impedance at the design frequency and whether it
// lies in a band.
void printMeasured(std::ostream& out, const measure::Sweep& sweep, const std::string& fileName,
                   double designHz);

// The same for the JSON document's "measured" member, every sample included (GHz, dB, ohms).
Json measuredJson(const measure::Sweep& sweep, const std::string& fileName, double designHz);

} // namespace vlnokan::cli
