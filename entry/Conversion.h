#pragma once

#include "core/Checked.h"

#include <cstdint>
#include <string>

// Entry texts to numbers. Any text can reach an entry (pasting is not filtered), so both
// conversions accept exactly their grammar and fail with EConvertError, naming the text, on
// everything else.
namespace vlnokan::entry {

// Leading blanks, an optional sign, then decimal digits within the signed 32-bit range, or a
// hexadecimal number after "$", "x", "X", "0x" or "0X" of at most eight significant digits
// (taken as the 32-bit pattern, so $FFFFFFFF is -1).
std::int32_t toInteger(const std::string& text);

// Leading and trailing blanks, an optional sign, digits with an optional decimal separator and
// an optional exponent. The result is always finite.
Real toReal(const std::string& text, const std::string& separator);

} // namespace vlnokan::entry
