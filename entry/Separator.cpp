#include "entry/Separator.h"

#include <cstdio>
#include <cstdlib>

namespace vlnokan::entry {

std::string normaliseSeparator(const std::string& text, const std::string& separator) {
    const char from = separator == "," ? '.' : ',';
    const char to = separator == "," ? ',' : '.';
    std::string result = text;
    if (const auto at = result.find(from); at != std::string::npos)
        result[at] = to;
    return result;
}

namespace {

// Adds one unit in the last place of a string of decimal digits; a carry out of the first digit
// prepends a 1.
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

std::string formatTwoDecimals(long double value, const std::string& separator) {
    // 18 significant digits, correctly rounded: d.ddddddddddddddddde±x
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", value);
    const std::string scientific = buffer;
    const bool negative = scientific.front() == '-';
    const std::size_t start = negative ? 1 : 0;
    const std::size_t ePos = scientific.find('e');
    std::string significant =
        scientific.substr(start, 1) + scientific.substr(start + 2, ePos - start - 2);
    const int exponent = std::atoi(scientific.c_str() + ePos + 1);

    // Place the decimal point: the integer part has exponent + 1 digits.
    std::string integerPart;
    std::string fraction;
    if (exponent >= 0) {
        significant.resize(std::max<std::size_t>(significant.size(), exponent + 1), '0');
        integerPart = significant.substr(0, exponent + 1);
        fraction = significant.substr(exponent + 1);
    } else {
        integerPart = "0";
        fraction = std::string(-exponent - 1, '0') + significant;
    }
    fraction.resize(std::max<std::size_t>(fraction.size(), 3), '0');

    // Two decimals, the third decides, half away from zero.
    std::string kept = integerPart + fraction.substr(0, 2);
    if (fraction[2] >= '5')
        incrementDigits(kept);
    std::string result = negative ? "-" : "";
    result += kept.substr(0, kept.size() - 2) + separator + kept.substr(kept.size() - 2);
    return result;
}

} // namespace vlnokan::entry
