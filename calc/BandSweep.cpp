#include "calc/BandSweep.h"

#include "calc/CanCalc.h"
#include "calc/Waveguide.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vlnokan::sweep {

using namespace checked;

namespace {

Band wifi24() {
    // The channels' centres; the band they stand for is the 2.4 GHz ISM band they lie in, so
    // that a can designed for 2.4 GHz opens on it.
    Band band{"wifi24", "Wi-Fi 2,4 GHz (kanály 1-14)", {}, 2.400L, 2.500L};
    // Channels 1-13 every 5 MHz from 2.412 GHz; channel 14 stands apart at 2.484 GHz.
    for (int channel = 1; channel <= 13; ++channel)
        band.frequencies.push_back(2.412L + 0.005L * (channel - 1));
    band.frequencies.push_back(2.484L);
    return band;
}

// From low to high in steps of whole MHz.
Band stepped(std::string key, std::string title, int lowMHz, int highMHz, int stepMHz) {
    Band band{std::move(key), std::move(title), {}, lowMHz / 1000.0L, highMHz / 1000.0L};
    for (int at = lowMHz; at <= highMHz; at += stepMHz)
        band.frequencies.push_back(at / 1000.0L);
    return band;
}

Band single(std::string key, std::string title, Real frequency) {
    return {std::move(key), std::move(title), {frequency}, frequency, frequency};
}

// Rounded to whole MHz.
Real wholeMHz(Real gigahertz) {
    return std::round(gigahertz * 1000) / 1000;
}

} // namespace

std::optional<Real> Row::probePlace() const {
    if (!guide)
        return std::nullopt;
    return div(*guide, 4.0L);
}

std::optional<Real> Row::canLength() const {
    if (!guide)
        return std::nullopt;
    return mul(div(*guide, 4.0L), 3.0L);
}

bool Band::covers(Real frequency) const {
    // A frequency typed as the band's edge is on it, whatever its last binary digits.
    const Real slack = 1e-9L * std::fabs(frequency);
    return frequency >= lowest - slack && frequency <= highest + slack;
}

const std::vector<Band>& presetBands() {
    // In the order the window lists them; a frequency two presets cover opens the first.
    static const std::vector<Band> bands{
        wifi24(),
        // The ISM band both share: Wi-Fi channels 149-165 and the amateurs' 5760 MHz.
        stepped("wifi58", "Wi-Fi 5,8 GHz a radioamatérské pásmo 5,76 GHz (5,725-5,875 GHz)", 5725,
                5875, 25),
        stepped("wifi5all", "Wi-Fi 5 GHz, celý rozsah 5,150-5,850 GHz", 5150, 5850, 50),
        stepped("qo100up", "QO-100 uplink (2,400-2,450 GHz)", 2400, 2450, 5),
        stepped("qo100down", "QO-100 downlink (10,489-10,500 GHz)", 10489, 10500, 1),
        single("10g", "10 GHz (10,368 GHz)", 10.368L),
        single("24g", "24 GHz (24,048 GHz)", 24.048L),
        single("hline", "Vodíková čára (1,420 GHz)", 1.420L),
    };
    return bands;
}

std::optional<Band> presetCovering(Real frequency) {
    for (const Band& band : presetBands())
        if (band.covers(frequency))
            return band;
    return std::nullopt;
}

Range rangeAround(Real frequency) {
    constexpr Real smallest = 0.001L; // 1 MHz
    Range range;
    range.low = std::max(smallest, wholeMHz(frequency * 0.98L));
    range.high = std::max(range.low, wholeMHz(frequency * 1.02L));
    range.step = std::max(smallest, wholeMHz((range.high - range.low) / 20));
    return range;
}

std::optional<Band> presetBand(const std::string& key) {
    for (const Band& band : presetBands())
        if (band.key == key)
            return band;
    return std::nullopt;
}

std::optional<Band> customBand(Real low, Real high, Real step) {
    if (!(std::isfinite(low) && std::isfinite(high) && std::isfinite(step)) || !(low > 0) ||
        !(step > 0) || high < low)
        return std::nullopt;
    const Real steps = std::floor((high - low) / step + 1e-9L);
    if (!(steps < Real(largestBand)))
        return std::nullopt;
    Band band{"custom", "", {}, low, high};
    for (long i = 0; i <= long(steps); ++i)
        band.frequencies.push_back(low + step * i);
    // The band's upper end is swept even when the steps do not land on it.
    if (high - band.frequencies.back() > step * 1e-6L)
        band.frequencies.push_back(high);
    else
        band.frequencies.back() = high;
    if (band.frequencies.size() > largestBand)
        return std::nullopt;
    return band;
}

Result run(const Band& band, std::int32_t diameter) {
    Result result;
    // The can's lowest mode, TE11: λc = 1.706 D, as in the can's own calculation.
    const Real cutoff = can::cutoffWavelength(diameter);
    Real fewest = 0;
    Real most = 0;
    bool any = false;
    for (Real frequency : band.frequencies) {
        Row row{frequency, can::freeSpaceWavelength(frequency), std::nullopt};
        row.guide = waveguide::guideWavelength(row.freeSpace, cutoff);
        if (const auto place = row.probePlace()) {
            fewest = any ? std::min(fewest, *place) : *place;
            most = any ? std::max(most, *place) : *place;
            any = true;
        } else {
            result.allPropagate = false;
        }
        result.rows.push_back(row);
    }
    if (any)
        result.spread = most - fewest;
    if (!band.frequencies.empty()) {
        result.centre = (band.frequencies.front() + band.frequencies.back()) / 2;
        result.window =
            waveguide::singleModeWindow(band.frequencies.front(), band.frequencies.back());
        if (const auto guide =
                waveguide::guideWavelength(can::freeSpaceWavelength(result.centre), cutoff))
            result.centrePlace = div(*guide, 4.0L);
    }
    return result;
}

} // namespace vlnokan::sweep
