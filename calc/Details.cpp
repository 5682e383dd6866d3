#include "calc/Details.h"

#include "calc/CanCalc.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vlnokan::details {

using namespace checked;

namespace {

// How far above the frequency the mode table reaches, in Bessel zeros: the next few modes to
// come are worth seeing.
constexpr Real tableMargin = 2.5L;
constexpr Real smallestTable = 6.0L;

} // namespace

std::optional<Real> Fine::probePlace() const {
    if (!guide)
        return std::nullopt;
    return div(*guide, 4.0L);
}

std::optional<Real> Fine::canLength() const {
    if (!guide)
        return std::nullopt;
    return mul(div(*guide, 4.0L), 3.0L);
}

Details describe(const Design& design) {
    Details details;
    if (!design.canKnown) {
        details.unavailable = "výpočet plechovky nebyl dokončen";
        return details;
    }
    if (!(design.frequency > 0) || design.diameter <= 0) {
        details.unavailable = "kmitočet i průměr musí být kladné";
        return details;
    }
    details.frequency = design.frequency;
    details.diameter = design.diameter;
    const Real freeSpace = can::freeSpaceWavelength(design.frequency);

    // A mode propagates when π D / p > Lo, i.e. p < π D / Lo.
    const Real reach = div(mul(std::numbers::pi_v<Real>, Real(design.diameter)), freeSpace);
    details.modesCut = !(reach < waveguide::largestTabulatedZero);
    const Real limit =
        std::min(waveguide::largestTabulatedZero, std::max(smallestTable, reach + tableMargin));
    for (const waveguide::Mode& mode : waveguide::modesBelow(limit)) {
        ModeRow row{mode, waveguide::cutoffWavelength(mode, design.diameter),
                    waveguide::cutoffFrequency(mode, design.diameter), false};
        row.propagates = row.cutoffWavelength > freeSpace;
        if (row.propagates)
            ++details.propagating;
        details.modes.push_back(row);
    }
    details.tooWide =
        details.modesCut ||
        std::any_of(details.modes.begin(), details.modes.end(),
                    [](const ModeRow& row) { return row.propagates && row.mode.name() != "TE11"; });
    details.window = waveguide::singleModeWindow(design.frequency);

    details.fine.freeSpace = freeSpace;
    details.fine.guide =
        waveguide::guideWavelength(freeSpace, can::cutoffWavelength(design.diameter));
    details.fine.probeLength = div(freeSpace, 4.0L);

    if (design.funnelKnown) {
        Funnel funnel;
        funnel.pattern = horn::exactPattern(design.angle, design.mouth, design.diameter);
        funnel.estimate = horn::estimate(funnel.pattern.R, design.mouth, freeSpace);
        details.funnel = funnel;
    }
    return details;
}

std::string decimals(Real value, int places, const std::string& separator) {
    Real scale = 1;
    for (int i = 0; i < places; ++i)
        scale *= 10;
    const Real scaled = mul(value, scale);
    // A figure that is a tie but for the last bits of its binary form (2.4 GHz gives Lo/4 =
    // 31.25) is a tie, and goes to the even digit as with every Round of the program.
    const Real below = std::floor(scaled);
    std::int64_t rounded = round(scaled);
    if (std::fabs(scaled - below - 0.5L) <= 1e-12L * std::max(Real(1), std::fabs(scaled))) {
        rounded = round(below);
        if (rounded % 2 != 0)
            ++rounded;
    }
    const bool negative = rounded < 0;
    std::string digits = std::to_string(negative ? -rounded : rounded);
    if (places > 0) {
        if (digits.size() <= std::size_t(places))
            digits = std::string(std::size_t(places) + 1 - digits.size(), '0') + digits;
        const std::size_t point = digits.size() - std::size_t(places);
        digits = digits.substr(0, point) + separator + digits.substr(point);
    }
    return negative ? "-" + digits : digits;
}

std::string tooWideWarning(const waveguide::DiameterWindow& window, const std::string& separator) {
    return "Plechovka je pro tento kmitočet příliš široká, šíří se v ní i vyšší vidy; použijte "
           "plechovku o průměru mezi " +
           decimals(window.smallest, 1, separator) + " a " +
           decimals(window.largest, 1, separator) + " mm.";
}

} // namespace vlnokan::details
