#pragma once

#include "cli/JsonReport.h"
#include "sim/EngineProgress.h"
#include "sim/SimResults.h"

#include <optional>
#include <ostream>
#include <string>

namespace vlnokan::cli {

// value with the decimals given, a point whatever the locale.
std::string fixed(double value, int decimals);

// The simulated figures as lines "name = value", then the S11 table, every rowStep-th sample.
void printSimulation(std::ostream& out, const sim::SimResults& results, const std::string& quality,
                     std::optional<double> hornEstimateDbi, std::size_t rowStep = 10);

// The same as the "simulation" section of the JSON document: frequencies in GHz, levels in dB,
// impedances in ohms, gains in dBi, every sample of the band and of both planes.
Json simulationJson(const sim::SimResults& results, const std::string& quality,
                    std::optional<double> hornEstimateDbi);

// One line of progress: a bar redrawn in place on a terminal, a plain line otherwise.
std::string progressText(const sim::Progress& progress, bool terminal);

} // namespace vlnokan::cli
