#pragma once

#include "cli/CliView.h"
#include "core/Faults.h"

#include <ostream>

namespace vlnokan::cli {

// Runs the Calculate command on the view's entries with the user's decimal separator. A fault
// is reported as "error: MESSAGE." on err; returns the exit status (0, or 1 after a fault).
// After the figures comes a "warning = ..." line when the can carries more than TE11 (unless
// warnTooWide is false: the antenna details that follow say it).
int runCalculate(CliView& view, std::ostream& out, std::ostream& err, bool warnTooWide = true);

// A fault's one "error:" line, after everything printed before it; returns the exit status 1.
int printFault(const Exception& fault, std::ostream& out, std::ostream& err);

} // namespace vlnokan::cli
