#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vlnokan::cli {

// One option of the calculator: "--name" alone, or "--name VALUE".
struct OptionSpec {
    std::string_view name;
    bool takesValue = false;
};

// The calculator's command line: options first, then the four entry texts, always the last four
// arguments, so an entry may begin with a minus or look like an option.
class CommandLine final {
public:
    std::array<std::string, 4> entries;
    // The options in the order given, each with its value (empty for a plain switch).
    std::vector<std::pair<std::string, std::string>> options;

    bool has(std::string_view name) const;
    std::optional<std::string> value(std::string_view name) const;
};

// nullopt for a usage error: fewer than four entries, an unknown option, an option given twice,
// or one without its value.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args,
                                            std::span<const OptionSpec> known);

} // namespace vlnokan::cli
