#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vlnokan::measure {

// What the option line "# <unit> <parameter> <format> R <n>" says, with the format's defaults
// for what it leaves out: GHz, S, MA, 50 ohms.
struct TouchstoneOptions {
    enum class Parameter { S, Y, Z, H, G };
    enum class Format { RI, MA, DB };
    double hzPerUnit = 1e9;
    Parameter parameter = Parameter::S;
    Format format = Format::MA;
    double referenceOhms = 50;
};

// The words of an option line after "#", in any order and case; nullopt and the reason in why
// when a word is not an option or the reference is not a positive number.
std::optional<TouchstoneOptions> parseOptionLine(const std::vector<std::string>& words,
                                                 std::string& why);

// A number as the format writes it ("1e9", "+0.5", "-.25"); nullopt unless the whole word is a
// finite number. Independent of the user's locale.
std::optional<double> parseNumber(const std::string& word);

std::string upper(std::string text);

} // namespace vlnokan::measure
