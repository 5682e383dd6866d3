#pragma once

#include <string>
#include <vector>

namespace vlnokan::cli {

// Hands the whole command line to vlnokan-calc-draw, found beside this program (build tree) or
// in its libexec folder (installed), and returns its exit status; on POSIX systems the companion
// replaces this process. ownPath: argv[0]; args: the arguments after it.
int runDrawCompanion(const std::string& ownPath, const std::vector<std::string>& args);

// The same for the companion named name (without ".exe"), e.g. vlnokan-calc-sim.
int runCompanion(const std::string& name, const std::string& ownPath,
                 const std::vector<std::string>& args);

} // namespace vlnokan::cli
