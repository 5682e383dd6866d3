#pragma once

#include <string>

namespace vlnokan::entry {

// Brings the frequency text to the decimal separator the conversion will use: under a comma the
// first point becomes a comma, under any other separator the first comma becomes a point. Only
// the first one is replaced, so 1.2.5 stays unconvertible.
std::string normaliseSeparator(const std::string& text, const std::string& separator);

// The sector angle as the funnel drawing shows it ("%4.2f"): the value taken to 18 significant
// digits, then cut to two decimals rounding half away from zero, with the given separator.
std::string formatTwoDecimals(long double value, const std::string& separator);

} // namespace vlnokan::entry
