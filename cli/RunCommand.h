#pragma once

#include "cli/CliView.h"

#include <ostream>

namespace vlnokan::cli {

// Runs the Calculate command on the view's entries with the user's decimal separator. A fault
// is reported as "error: MESSAGE." on err; returns the exit status (0, or 1 after a fault).
int runCalculate(CliView& view, std::ostream& out, std::ostream& err);

} // namespace vlnokan::cli
