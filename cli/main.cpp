// vlnokan-calc: the Calculate command of the window, run on four entry texts from the command
// line, for scripts and for checking figures without a window. With --draw DIR it also saves the
// two drawings as they stand afterwards, with --template FILE the funnel's cutting template; both
// need Qt, which lives in companion programs, so a plain calculation stays a light process that
// starts in a few milliseconds.
#include "cli/CliView.h"
#include "cli/DetailsOptions.h"
#include "cli/DrawCompanion.h"
#include "cli/Options.h"
#include "cli/RunCommand.h"
#include "cli/RunDetails.h"
#include "cli/RunMeasured.h"
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
    if (!line->has("--template"))
        for (const auto option : vlnokan::cli::templateOnlyOptions)
            if (line->has(option))
                return usageError();
    // The simulation needs the field solver's libraries: they too live in a companion.
    if (line->has("--simulate") || line->has("--export-model") || line->has("--quality") ||
        line->has("--probe-radius") || line->has("--no-funnel") || line->has("--dish")) {
        if (line->has("--template") || line->has("--draw"))
            return usageError();
        return vlnokan::cli::runCompanion("vlnokan-calc-sim", argc > 0 ? argv[0] : "", args);
    }
    if (const auto file = line->value("--measured")) {
        const auto request = vlnokan::cli::detailsRequest(*line);
        if (file->empty() || !request || line->has("--draw") || line->has("--template"))
            return usageError();
        return vlnokan::cli::runMeasured(*line, *request, std::cout, std::cerr);
    }
    if (vlnokan::cli::asksForDetails(*line)) {
        const auto request = vlnokan::cli::detailsRequest(*line);
        if (!request)
            return usageError();
        return vlnokan::cli::runDetails(*line, *request, std::cout, std::cerr);
    }
    if (const auto folder = line->value("--draw")) {
        if (folder->empty())
            return usageError();
        return vlnokan::cli::runCompanion("vlnokan-calc-draw", argc > 0 ? argv[0] : "", args);
    }
    if (const auto file = line->value("--template")) {
        if (file->empty())
            return usageError();
        return vlnokan::cli::runCompanion("vlnokan-calc-template", argc > 0 ? argv[0] : "", args);
    }
    vlnokan::cli::CliView view(line->entries, std::cout);
    return vlnokan::cli::runCalculate(view, std::cout, std::cerr);
}
