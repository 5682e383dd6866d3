#include "measure/TouchstoneOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vlnokan::measure {

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : char(c);
    });
    return text;
}

std::optional<double> parseNumber(const std::string& word) {
    const char* first = word.data();
    const char* last = word.data() + word.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && (*first == '+' || *first == '-'))
            return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<TouchstoneOptions> parseOptionLine(const std::vector<std::string>& words,
                                                 std::string& why) {
    TouchstoneOptions options;
    for (std::size_t k = 0; k < words.size(); ++k) {
        const std::string word = upper(words[k]);
        if (word == "HZ")
            options.hzPerUnit = 1;
        else if (word == "KHZ")
            options.hzPerUnit = 1e3;
        else if (word == "MHZ")
            options.hzPerUnit = 1e6;
        else if (word == "GHZ")
            options.hzPerUnit = 1e9;
        else if (word == "S")
            options.parameter = TouchstoneOptions::Parameter::S;
        else if (word == "Y")
            options.parameter = TouchstoneOptions::Parameter::Y;
        else if (word == "Z")
            options.parameter = TouchstoneOptions::Parameter::Z;
        else if (word == "H")
            options.parameter = TouchstoneOptions::Parameter::H;
        else if (word == "G")
            options.parameter = TouchstoneOptions::Parameter::G;
        else if (word == "RI")
            options.format = TouchstoneOptions::Format::RI;
        else if (word == "MA")
            options.format = TouchstoneOptions::Format::MA;
        else if (word == "DB")
            options.format = TouchstoneOptions::Format::DB;
        else if (word == "R") {
            const auto ohms = k + 1 < words.size() ? parseNumber(words[k + 1]) : std::nullopt;
            if (!ohms || *ohms <= 0) {
                why = "za R má být kladný odpor v ohmech";
                return std::nullopt;
            }
            options.referenceOhms = *ohms;
            // Later versions list one reference per port here; all ports of a one-port or the
            // first of a two-port are what S11 is referred to.
            ++k;
            while (k + 1 < words.size() && parseNumber(words[k + 1]))
                ++k;
        } else {
            why = "\"" + words[k] +
                  "\" není volba (jednotka Hz, kHz, MHz, GHz; parametry S, Y, Z; "
                  "formát RI, MA, DB; R a odpor)";
            return std::nullopt;
        }
    }
    return options;
}

} // namespace vlnokan::measure
