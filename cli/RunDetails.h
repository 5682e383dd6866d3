#pragma once

#include "cli/CommandLine.h"
#include "cli/DetailsOptions.h"

#include <ostream>

namespace vlnokan::cli {

// The Calculate command on the command line's entries, followed by the antenna details and the
// band sweep asked for, as lines or as one JSON document. Returns the exit status: 0, or 1
// after a fault.
int runDetails(const CommandLine& line, const DetailsRequest& request, std::ostream& out,
               std::ostream& err);

} // namespace vlnokan::cli
