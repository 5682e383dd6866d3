#pragma once

#include <string>
#include <vector>

namespace vlnokan::cli {

// Hands the whole command line to a companion program (vlnokan-calc-draw for --draw,
// vlnokan-calc-template for --template, vlnokan-calc-sim for --simulate), found beside this program
// (build tree) or in its libexec folder (installed), and returns its exit status; on POSIX systems
// the companion replaces this process. name: the companion without ".exe"; ownPath: argv[0]; args:
// the arguments after it.
int runCompanion(const std::string& name, const std::string& ownPath,
                 const std::vector<std::string>& args);

} // namespace vlnokan::cli
