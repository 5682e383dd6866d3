// vlnokan-calc: the Calculate command of the window, run on four entry texts from the command
// line, for scripts and for checking figures without a window. With --draw DIR it also saves the
// two drawings as they stand afterwards; that needs Qt, which lives in a companion program, so a
// plain calculation stays a light process that starts in a few milliseconds.
#include "cli/CliView.h"
#include "cli/DrawCompanion.h"
#include "cli/RunCommand.h"
#include "cli/Usage.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << vlnokan::cli::usage << '\n';
        return 0;
    }
    if (args.size() == 6 && args[0] == "--draw")
        return vlnokan::cli::runDrawCompanion(argc > 0 ? argv[0] : "", args);
    if (args.size() != 4) {
        std::cerr << vlnokan::cli::usage << '\n';
        return 2;
    }

    vlnokan::cli::CliView view({args[0], args[1], args[2], args[3]}, std::cout);
    return vlnokan::cli::runCalculate(view, std::cout, std::cerr);
}
