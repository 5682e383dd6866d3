#pragma once

#include "calc/BandSweep.h"
#include "cli/CommandLine.h"

#include <optional>
#include <string>

namespace vlnokan::cli {

// What the antenna details options ask for.
struct DetailsRequest {
    bool details = false;            // --details: the details as NAME = VALUE lines
    bool json = false;               // --json: everything as one JSON document
    std::optional<sweep::Band> band; // --band KEY or --sweep F1:F2:STEP
};

// Whether any of --details, --json, --band, --sweep was given.
bool asksForDetails(const CommandLine& line);

// nullopt for a usage error: an unknown band, a malformed or empty sweep, --band with --sweep,
// or a details option beside --draw.
std::optional<DetailsRequest> detailsRequest(const CommandLine& line);

// "F1:F2:STEP" in GHz, with a decimal point or comma; nullopt unless it makes a band.
std::optional<sweep::Band> parseSweep(const std::string& text);

} // namespace vlnokan::cli
