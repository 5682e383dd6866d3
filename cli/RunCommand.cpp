#include "cli/RunCommand.h"

#include "calc/CalculateCommand.h"
#include "cli/DetailsText.h"
#include "core/Checked.h"
#include "core/ErrorText.h"
#include "core/Faults.h"
#include "entry/Locale.h"

namespace vlnokan::cli {

int runCalculate(CliView& view, std::ostream& out, std::ostream& err, bool warnTooWide) {
    resetFloatingPoint();
    try {
        const std::string separator = entry::Locale::get().decimalSeparator();
        CalculateCommand(view, separator).run();
        if (warnTooWide)
            printWidthWarning(view.design(), separator, out);
    } catch (const Exception& fault) {
        return printFault(fault, out, err);
    }
    return 0;
}

int printFault(const Exception& fault, std::ostream& out, std::ostream& err) {
    out.flush();
    err << "error: " << errorBoxText(fault.message()) << '\n';
    return 1;
}

} // namespace vlnokan::cli
