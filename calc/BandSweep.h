#pragma once

#include "calc/Waveguide.h"
#include "core/Checked.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Where the probe goes across a whole band: the guide wavelength of the built can at each
// frequency of the band, and how far its quarter moves.
namespace vlnokan::sweep {

struct Band {
    std::string key;               // "wifi24", ... or "custom"
    std::string title;             // as the window names it
    std::vector<Real> frequencies; // GHz, rising
    // The frequencies the band stands for, GHz: the edges of its channels or of its allocation,
    // which may lie beyond the frequencies swept.
    Real lowest = 0;
    Real highest = 0;

    bool covers(Real frequency) const;
};

// The bands builders ask for: Wi-Fi 2.4 GHz (channels 1-14), Wi-Fi 5.8 GHz with the 5.76 GHz
// amateur band, the whole 5 GHz Wi-Fi range, the QO-100 satellite's uplink and downlink, 10 GHz,
// 24 GHz and the hydrogen line.
const std::vector<Band>& presetBands();
std::optional<Band> presetBand(const std::string& key);

// A range of one's own: from, to and step in GHz.
struct Range {
    Real low = 0;
    Real high = 0;
    Real step = 0;
};

// The band the antenna details open on for a design: the first preset that covers its
// frequency, else a range a few per cent either side of it (rangeAround).
std::optional<Band> presetCovering(Real frequency);
// 2 % either side of the frequency in whole MHz, in about 20 steps of at least 1 MHz.
Range rangeAround(Real frequency);

// The most frequencies one band may hold.
constexpr std::size_t largestBand = 10000;

// From low to high in steps, high itself always the last; nothing when low or step is not
// positive, high is below low, or there would be more than largestBand frequencies.
std::optional<Band> customBand(Real low, Real high, Real step);

struct Row {
    Real frequency = 0;                     // GHz
    Real freeSpace = 0;                     // Lo, mm
    std::optional<Real> guide;              // Lg, mm; none where the can cuts the wave off
    std::optional<Real> probePlace() const; // Lg/4
    std::optional<Real> canLength() const;  // 3/4 Lg
};

struct Result {
    std::vector<Row> rows;
    // The farthest apart two places of the probe (Lg/4) in the band, over the frequencies the
    // can carries.
    std::optional<Real> spread;
    Real centre = 0;                  // GHz, halfway between the band's ends
    std::optional<Real> centrePlace;  // Lg/4 at the centre: where to put the probe
    bool allPropagate = true;         // the can carries every frequency of the band
    waveguide::DiameterWindow window; // the cans that carry TE11 alone across the band
};

Result run(const Band& band, std::int32_t diameter);

} // namespace vlnokan::sweep
