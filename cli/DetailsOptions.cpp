#include "cli/DetailsOptions.h"

#include "core/Faults.h"
#include "entry/Conversion.h"

#include <algorithm>

namespace vlnokan::cli {

namespace {

// Read by the entries' own conversion, in extended precision on every system (the C++ library
// of the Windows build reads a long double only to double precision).
std::optional<Real> number(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    try {
        return entry::toReal(text, ".");
    } catch (const Exception&) {
        return std::nullopt;
    }
}

} // namespace

bool asksForDetails(const CommandLine& line) {
    return line.has("--details") || line.has("--json") || line.has("--band") || line.has("--sweep");
}

std::optional<sweep::Band> parseSweep(const std::string& text) {
    const auto first = text.find(':');
    const auto second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos || text.find(':', second + 1) != std::string::npos)
        return std::nullopt;
    const auto low = number(text.substr(0, first));
    const auto high = number(text.substr(first + 1, second - first - 1));
    const auto step = number(text.substr(second + 1));
    if (!low || !high || !step)
        return std::nullopt;
    auto band = sweep::customBand(*low, *high, *step);
    if (band)
        band->title = text;
    return band;
}

std::optional<DetailsRequest> detailsRequest(const CommandLine& line) {
    DetailsRequest request;
    request.details = line.has("--details");
    request.json = line.has("--json");
    const auto key = line.value("--band");
    const auto range = line.value("--sweep");
    if ((key && range) || (asksForDetails(line) && (line.has("--draw") || line.has("--template"))))
        return std::nullopt;
    if (key) {
        request.band = sweep::presetBand(*key);
        if (!request.band)
            return std::nullopt;
    }
    if (range) {
        request.band = parseSweep(*range);
        if (!request.band)
            return std::nullopt;
    }
    return request;
}

} // namespace vlnokan::cli
