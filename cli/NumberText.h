#pragma once

#include <cmath>
#include <complex>
#include <cstdio>
#include <string>

namespace vlnokan::cli {

// Figures of the measurement and the simulation as their lines print them: a decimal point
// whatever the locale, a fixed number of decimals.
inline std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

inline std::string ghz(double hz) {
    return fixed(hz / 1e9, 3);
}

// "61.1 + j0.0 ohm"
inline std::string ohms(std::complex<double> z) {
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag()))
        return "open circuit";
    return fixed(z.real(), 1) + (z.imag() < 0 ? " - j" : " + j") + fixed(std::abs(z.imag()), 1) +
           " ohm";
}

} // namespace vlnokan::cli
