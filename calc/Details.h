#pragma once

#include "calc/BandSweep.h"
#include "calc/Design.h"
#include "calc/Horn.h"
#include "calc/Waveguide.h"

#include <optional>
#include <string>
#include <vector>

// Everything the antenna details show about one design, beside the whole-millimetre figures.
namespace vlnokan::details {

struct ModeRow {
    waveguide::Mode mode;
    Real cutoffWavelength = 0; // mm, for this can
    Real cutoffFrequency = 0;  // GHz
    bool propagates = false;   // λc > Lo
};

// The can and probe to 0.1 mm.
struct Fine {
    Real freeSpace = 0;        // Lo
    std::optional<Real> guide; // Lg; none when the can cuts the wave off
    Real probeLength = 0;      // Lo/4
    std::optional<Real> probePlace() const;
    std::optional<Real> canLength() const;
};

struct Funnel {
    horn::ExactPattern pattern;
    horn::Estimate estimate;
};

struct Details {
    // Empty when the design can be described; otherwise why not, and nothing else is filled.
    std::string unavailable;
    Real frequency = 0;
    std::int32_t diameter = 0;
    std::vector<ModeRow> modes;  // lowest cut-off first, up to a little above the frequency
    bool modesCut = false;       // the can carries modes beyond the ones listed
    std::size_t propagating = 0; // how many of the listed modes the can carries
    waveguide::DiameterWindow window;
    bool tooWide = false; // the can carries more than TE11
    Fine fine;
    std::optional<Funnel> funnel; // once the funnel is developed
};

Details describe(const Design& design);

// "Plechovka je pro tento kmitočet příliš široká ..." with the window to 0.1 mm.
std::string tooWideWarning(const waveguide::DiameterWindow& window, const std::string& separator);

// A figure to one decimal (or the given number) with the separator the user's locale writes.
std::string decimals(Real value, int places, const std::string& separator);

} // namespace vlnokan::details
