// vlnokan-calc: the Calculate command of the window, run on four entry texts from the command
// line, for scripts and for checking figures without a window.
#include "calc/CalculateCommand.h"
#include "cli/CliView.h"
#include "core/Checked.h"
#include "core/ErrorText.h"
#include "core/Faults.h"
#include "entry/Locale.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const usage = "usage: vlnokan-calc FREQ_GHZ DIAMETER_MM ANGLE_DEG MOUTH_MM";

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << usage << '\n';
        return 0;
    }
    if (args.size() != 4) {
        std::cerr << usage << '\n';
        return 2;
    }

    vlnokan::resetFloatingPoint();
    vlnokan::cli::CliView view({args[0], args[1], args[2], args[3]}, std::cout);
    try {
        vlnokan::CalculateCommand(view, vlnokan::entry::Locale::get().decimalSeparator()).run();
    } catch (const vlnokan::Exception& fault) {
        std::cout.flush();
        std::cerr << "error: " << vlnokan::errorBoxText(fault.message()) << '\n';
        return 1;
    }
    return 0;
}
