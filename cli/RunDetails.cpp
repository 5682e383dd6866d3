#include "cli/RunDetails.h"

#include "calc/CalculateCommand.h"
#include "calc/Details.h"
#include "cli/CliView.h"
#include "cli/DetailsText.h"
#include "cli/JsonReport.h"
#include "cli/RunCommand.h"
#include "core/Checked.h"
#include "core/ErrorText.h"
#include "core/Faults.h"
#include "entry/Locale.h"

#include <optional>
#include <string>
#include <utility>

namespace vlnokan::cli {

namespace {

bool sweepable(const Design& design) {
    return design.canKnown && design.diameter > 0;
}

int runJson(const CommandLine& line, const DetailsRequest& request, const std::string& separator,
            const std::vector<JsonSection>& further, std::ostream& out) {
    JsonView view(line.entries);
    std::optional<std::string> fault;
    Json details = nullptr;
    Json sweep = nullptr;
    resetFloatingPoint();
    try {
        CalculateCommand(view, separator).run();
    } catch (const Exception& error) {
        fault = errorBoxText(error.message());
    }
    resetFloatingPoint();
    std::vector<std::pair<std::string, Json>> extra;
    try {
        details = detailsJson(details::describe(view.design()));
        if (request.band && sweepable(view.design())) {
            const sweep::Result result = sweep::run(*request.band, view.design().diameter);
            // A sweep fails here exactly where its table would: made and dropped.
            sweepText(*request.band, result, separator);
            sweep = sweepJson(*request.band, result, view.design().diameter);
        }
        for (const JsonSection& section : further) {
            extra.emplace_back(section.name, section.make(view.design()));
            if (!fault)
                fault = section.fault();
        }
    } catch (const Exception& error) {
        if (!fault)
            fault = errorBoxText(error.message());
    }
    JsonDocument document;
    document.setSection("entries", view.entries());
    document.setSection("notices", view.notices());
    document.setSection("figures", view.figures());
    document.setSection("details", details);
    document.setSection("sweep", sweep);
    for (auto& [name, value] : extra)
        document.setSection(name, std::move(value));
    document.setSection("fault", fault ? Json({{"message", *fault}}) : Json(nullptr));
    out << document.text();
    out.flush();
    return fault ? 1 : 0;
}

} // namespace

int runDetails(const CommandLine& line, const DetailsRequest& request, std::ostream& out,
               std::ostream& err, const std::vector<JsonSection>& further) {
    const std::string separator = entry::Locale::get().decimalSeparator();
    if (request.json)
        return runJson(line, request, separator, further, out);

    // The details say it themselves when the can is too wide.
    CliView view(line.entries, out);
    if (const int status = runCalculate(view, out, err, !request.details); status != 0)
        return status;
    try {
        if (request.details)
            printDetails(details::describe(view.design()), separator, out);
        if (request.band && sweepable(view.design()))
            printSweep(*request.band, sweep::run(*request.band, view.design().diameter), separator,
                       out);
    } catch (const Exception& fault) {
        return printFault(fault, out, err);
    }
    return 0;
}

} // namespace vlnokan::cli
