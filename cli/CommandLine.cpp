#include "cli/CommandLine.h"

#include <algorithm>

namespace vlnokan::cli {

bool CommandLine::has(std::string_view name) const {
    return value(name).has_value();
}

std::optional<std::string> CommandLine::value(std::string_view name) const {
    for (const auto& [given, value] : options)
        if (given == name)
            return value;
    return std::nullopt;
}

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args,
                                            std::span<const OptionSpec> known) {
    if (args.size() < 4)
        return std::nullopt;
    CommandLine line;
    const std::size_t firstEntry = args.size() - 4;
    std::copy(args.begin() + std::ptrdiff_t(firstEntry), args.end(), line.entries.begin());
    for (std::size_t i = 0; i < firstEntry; ++i) {
        const auto option = std::find_if(known.begin(), known.end(), [&](const OptionSpec& each) {
            return each.name == args[i];
        });
        if (option == known.end() || line.has(args[i]))
            return std::nullopt;
        if (!option->takesValue) {
            line.options.emplace_back(args[i], std::string());
            continue;
        }
        if (i + 1 >= firstEntry)
            return std::nullopt;
        line.options.emplace_back(args[i], args[i + 1]);
        ++i;
    }
    return line;
}

} // namespace vlnokan::cli
