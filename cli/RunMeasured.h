#pragma once

#include "calc/Design.h"
#include "cli/CommandLine.h"
#include "cli/DetailsOptions.h"
#include "cli/RunDetails.h"

#include <array>
#include <ostream>
#include <string>

namespace vlnokan::cli {

// The design the Calculate command leaves for the entries, worked out without a word of output
// (as far as it gets before a fault).
Design designOf(const std::array<std::string, 4>& entries);

// The JSON member "measured" for the file at path: the reading, or {"fault": ...} with status
// set to 1 when the file cannot be read.
JsonSection measuredSection(const std::string& path, int& status);

// --measured FILE: the calculator's lines (and the details asked for), then what the measured
// sweep says; with --json the document with the member "measured". The file is only read.
// Returns the exit status: 0, or 1 after a fault or an unreadable measurement.
int runMeasured(const CommandLine& line, const DetailsRequest& request, std::ostream& out,
                std::ostream& err);

} // namespace vlnokan::cli
