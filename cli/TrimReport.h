#pragma once

#include "cli/JsonReport.h"
#include "measure/Sweep.h"
#include "measure/TrimAdvice.h"
#include "sim/SimResults.h"

#include <ostream>

namespace vlnokan::cli {

// The measured sweep against the simulated one, as lines: the dip's frequency and depth, R and
// X at f, then the probe's trim and what the two further simulations cost (seconds).
void printComparison(std::ostream& out, const sim::SimResults& simulated,
                     const measure::Sweep& measured, const measure::TrimAdvice& advice,
                     double extraSeconds);

// The advice in one line: "shorten the probe by 2.0 mm (+- 0.5 mm)", ...
std::string adviceText(const measure::TrimAdvice& advice);

// The same as the JSON document's "trim" member.
Json trimJson(const measure::TrimAdvice& advice, double extraSeconds);

} // namespace vlnokan::cli
