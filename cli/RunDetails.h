#pragma once

#include "calc/Design.h"
#include "cli/CommandLine.h"
#include "cli/DetailsOptions.h"
#include "cli/JsonReport.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vlnokan::cli {

// A further member of the JSON document, made from the design the calculation left (a feature
// such as the simulation adds its own); it goes after "sweep", before "fault".
struct JsonSection {
    std::string name;
    std::function<Json(const Design&)> make;
    // The fault the section met while it was made, which is then the document's fault too.
    std::function<std::optional<std::string>()> fault = [] { return std::nullopt; };
};

// The Calculate command on the command line's entries, followed by the antenna details and the
// band sweep asked for, as lines or as one JSON document. Returns the exit status: 0, or 1
// after a fault.
int runDetails(const CommandLine& line, const DetailsRequest& request, std::ostream& out,
               std::ostream& err, const std::vector<JsonSection>& further = {});

} // namespace vlnokan::cli
