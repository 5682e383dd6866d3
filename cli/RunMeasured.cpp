#include "cli/RunMeasured.h"

#include "calc/CalculateCommand.h"
#include "cli/CliView.h"
#include "cli/JsonReport.h"
#include "cli/MeasuredReport.h"
#include "cli/RunCommand.h"
#include "core/Checked.h"
#include "core/ErrorText.h"
#include "core/Faults.h"
#include "entry/Locale.h"
#include "measure/Touchstone.h"

#include <filesystem>
#include <memory>

namespace vlnokan::cli {

namespace {

std::string nameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

double hertz(const Design& design) {
    return double(design.frequency) * 1e9;
}

} // namespace

Design designOf(const std::array<std::string, 4>& entries) {
    JsonView view(entries);
    resetFloatingPoint();
    try {
        CalculateCommand(view, entry::Locale::get().decimalSeparator()).run();
    } catch (const Exception&) {
    }
    resetFloatingPoint();
    return view.design();
}

JsonSection measuredSection(const std::string& path, int& status) {
    // A measurement that cannot be read is the document's fault too.
    auto fault = std::make_shared<std::optional<std::string>>();
    JsonSection section{"measured", [&status, path, fault](const Design& design) -> Json {
                            try {
                                return measuredJson(measure::readTouchstoneFile(path), nameOf(path),
                                                    hertz(design));
                            } catch (const Exception& error) {
                                status = 1;
                                *fault = errorBoxText(error.message());
                                return {{"fault", **fault}};
                            }
                        }};
    section.fault = [fault] { return *fault; };
    return section;
}

int runMeasured(const CommandLine& line, const DetailsRequest& request, std::ostream& out,
                std::ostream& err) {
    const std::string path = line.value("--measured").value_or("");
    if (request.json) {
        int measured = 0;
        const int status = runDetails(line, request, out, err, {measuredSection(path, measured)});
        return status != 0 ? status : measured;
    }
    int status = 0;
    if (request.details || request.band) {
        status = runDetails(line, request, out, err);
    } else {
        CliView view(line.entries, out);
        status = runCalculate(view, out, err);
    }
    if (status != 0)
        return status;
    try {
        const measure::Sweep sweep = measure::readTouchstoneFile(path);
        printMeasured(out, sweep, nameOf(path), hertz(designOf(line.entries)));
    } catch (const Exception& fault) {
        return printFault(fault, out, err);
    }
    return 0;
}

} // namespace vlnokan::cli
