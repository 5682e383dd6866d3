#include "calc/BandSweep.h"

#include "calc/CanCalc.h"
#include "calc/Waveguide.h"

#include <algorithm>
#include <cmath>

namespace vlnokan::sweep {

using namespace checked;

namespace {

Band wifi24() {
    Band band{"wifi24", "Wi-Fi 2,4 GHz (kanály 1-14)", {}};
    // Channels 1-13 every 5 MHz from 2.412 GHz; channel 14 stands apart at 2.484 GHz.
    for (int channel = 1; channel <= 13; ++channel)
        band.frequencies.push_back(2.412L + 0.005L * (channel - 1));
    band.frequencies.push_back(2.484L);
    return band;
}

Band wifi5() {
    Band band{"wifi5", "Wi-Fi 5 GHz (5,150-5,850 GHz)", {}};
    for (int i = 0; i <= 14; ++i)
        band.frequencies.push_back(5.150L + 0.050L * i);
    return band;
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

const std::vector<Band>& presetBands() {
    static const std::vector<Band> bands{
        wifi24(),
        wifi5(),
        {"10g", "10 GHz (10,368 GHz)", {10.368L}},
        {"24g", "24 GHz (24,048 GHz)", {24.048L}},
        {"hline", "Vodíková čára (1,420 GHz)", {1.420L}},
    };
    return bands;
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
    Band band{"custom", "", {}};
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
