// vlnokan-calc: the Calculate command of the window, run on four entry texts from the command
// line, for scripts and for checking figures without a window. With --draw DIR it also saves the
// two drawings as they stand afterwards; that needs Qt, which lives in a companion program, so a
// plain calculation stays a light process that starts in a few milliseconds.
#include "cli/CliView.h"
#include "cli/DetailsOptions.h"
#include "cli/DrawCompanion.h"
#include "cli/Options.h"
#include "cli/RunCommand.h"
#include "cli/RunDetails.h"
#include "cli/Usage.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

int usageError() {
    std::cerr << vlnokan::cli::usage << '\n';
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << vlnokan::cli::usage << '\n';
        return 0;
    }
    const auto line = vlnokan::cli::parseCommandLine(args, vlnokan::cli::knownOptions);
    if (!line)
        return usageError();
    // The simulation needs the field solver's libraries: they too live in a companion.
    if (line->has("--simulate") || line->has("--export-model") || line->has("--quality") ||
        line->has("--probe-radius"))
        return vlnokan::cli::runCompanion("vlnokan-calc-sim", argc > 0 ? argv[0] : "", args);
    if (vlnokan::cli::asksForDetails(*line)) {
        const auto request = vlnokan::cli::detailsRequest(*line);
        if (!request)
            return usageError();
        return vlnokan::cli::runDetails(*line, *request, std::cout, std::cerr);
    }
    if (const auto folder = line->value("--draw")) {
        if (folder->empty())
            return usageError();
        return vlnokan::cli::runDrawCompanion(argc > 0 ? argv[0] : "", args);
    }

    vlnokan::cli::CliView view(line->entries, std::cout);
    return vlnokan::cli::runCalculate(view, std::cout, std::cerr);
}
