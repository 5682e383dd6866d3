#include "entry/Conversion.h"

#include "core/Faults.h"

#include <array>
#include <cmath>

namespace vlnokan::entry {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

[[noreturn]] void notAnInteger(const std::string& text) {
    throw EConvertError("'" + text + "' is not a valid integer value");
}

[[noreturn]] void notAReal(const std::string& text) {
    throw EConvertError("'" + text + "' is not a valid floating point value");
}

std::size_t skipBlanks(const std::string& text, std::size_t pos) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    return pos;
}

// Length of the hexadecimal prefix at pos, 0 when there is none.
std::size_t hexPrefixLength(const std::string& text, std::size_t pos) {
    if (pos >= text.size())
        return 0;
    const char c = text[pos];
    if (c == '$' || c == 'x' || c == 'X')
        return 1;
    if (c == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X'))
        return 2;
    return 0;
}

// Ten to the powers 0 to 31, then 10^32, 10^64, ... 10^4096: a scale is applied a factor at a
// time, so that a zero stays zero and only a result truly beyond the range overflows.
constexpr std::array<Real, 32> smallPowers = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L,
    1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L,
    1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L};
constexpr std::array<Real, 8> largePowers = {1e32L,  1e64L,   1e128L,  1e256L,
                                             1e512L, 1e1024L, 1e2048L, 1e4096L};

Real scaleByTen(Real value, long exponent) {
    const bool down = exponent < 0;
    unsigned long n = down ? -static_cast<unsigned long>(exponent) : exponent;
    auto apply = [&](Real factor) { value = down ? value / factor : value * factor; };
    // Many fraction digits scale by more than the table holds: a value as large as 1e4192 still
    // comes down to 1e-4000 after 8192 places. Once it is zero (or beyond the range) it stays so.
    for (; n >= 8192 && value != 0 && std::isfinite(value); n -= 8192) {
        apply(1e4096L);
        apply(1e4096L);
    }
    apply(smallPowers[n % 32]);
    n /= 32;
    for (Real factor : largePowers) {
        if (n == 0)
            break;
        if (n & 1)
            apply(factor);
        n >>= 1;
    }
    return value;
}

} // namespace

std::int32_t toInteger(const std::string& text) {
    std::size_t pos = skipBlanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (const std::size_t prefix = hexPrefixLength(text, pos); prefix > 0) {
        pos += prefix;
        if (pos >= text.size())
            notAnInteger(text);
        std::uint32_t bits = 0;
        for (; pos < text.size(); ++pos) {
            const int digit = hexValue(text[pos]);
            if (digit < 0 || bits > 0x0FFFFFFFu)
                notAnInteger(text);
            bits = bits * 16 + static_cast<std::uint32_t>(digit);
        }
        // The sign applies to the 32-bit pattern, with its wrap-around.
        if (negative)
            bits = 0u - bits;
        return static_cast<std::int32_t>(bits);
    }
    if (pos >= text.size())
        notAnInteger(text);
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        if (!isDigit(text[pos]))
            notAnInteger(text);
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > 2147483648LL)
            notAnInteger(text);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > 2147483647LL)
        notAnInteger(text);
    return static_cast<std::int32_t>(value);
}

Real toReal(const std::string& text, const std::string& separator) {
    std::size_t pos = skipBlanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // The digits, fraction included, accumulate as one integer in extended precision.
    Real digits = 0;
    long scale = 0;
    bool sawNumber = false;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        digits = digits * 10 + (text[pos] - '0');
        sawNumber = true;
    }
    if (!separator.empty() && text.compare(pos, separator.size(), separator) == 0) {
        pos += separator.size();
        sawNumber = true;
        for (; pos < text.size() && isDigit(text[pos]); ++pos) {
            digits = digits * 10 + (text[pos] - '0');
            --scale;
        }
    }
    // Digits beyond the extended range cannot be scaled back by any number of fraction places.
    if (!sawNumber || !std::isfinite(digits))
        notAReal(text);
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        bool exponentNegative = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            exponentNegative = text[pos] == '-';
            ++pos;
        }
        long exponent = 0;
        for (; pos < text.size() && isDigit(text[pos]) && exponent < 500; ++pos)
            exponent = exponent * 10 + (text[pos] - '0');
        scale += exponentNegative ? -exponent : exponent;
    }
    pos = skipBlanks(text, pos);
    if (pos != text.size())
        notAReal(text);
    Real value = scaleByTen(digits, scale);
    if (!std::isfinite(value))
        notAReal(text);
    return negative ? -value : value;
}

} // namespace vlnokan::entry
