#include "cli/DetailsText.h"

#include <iomanip>
#include <sstream>

namespace vlnokan::cli {

using details::decimals;

namespace {

std::string orDash(const std::optional<Real>& value, int places, const std::string& separator) {
    return value ? decimals(*value, places, separator) : "-";
}

// Enough decimals for any step a sweep is given, without trailing zeros beyond the third.
std::string gigahertz(Real frequency, const std::string& separator) {
    std::string text = decimals(frequency, 6, separator);
    while (text.size() > 1 && text.back() == '0' &&
           text.size() - text.find(separator) > std::size_t(4))
        text.pop_back();
    return text;
}

void line(std::ostream& out, const std::string& name, const std::string& value) {
    out << name << " = " << value << '\n';
}

void warnIfTooWide(const details::Details& d, const std::string& separator, std::ostream& out) {
    if (d.unavailable.empty() && d.tooWide)
        line(out, "warning", details::tooWideWarning(d.window, separator));
}

} // namespace

void printWidthWarning(const Design& design, const std::string& separator, std::ostream& out) {
    if (!design.canKnown)
        return;
    warnIfTooWide(details::describe(design), separator, out);
    out.flush();
}

void printDetails(const details::Details& d, const std::string& separator, std::ostream& out) {
    if (!d.unavailable.empty()) {
        line(out, "details", "none (" + d.unavailable + ")");
        out.flush();
        return;
    }
    const auto mm = [&](Real value) { return decimals(value, 1, separator); };
    line(out, "fine Lo", mm(d.fine.freeSpace));
    line(out, "fine Lg", orDash(d.fine.guide, 1, separator));
    line(out, "fine Lo/4", mm(d.fine.probeLength));
    line(out, "fine Lg/4", orDash(d.fine.probePlace(), 1, separator));
    line(out, "fine 3/4 Lg", orDash(d.fine.canLength(), 1, separator));
    if (d.funnel) {
        line(out, "fine R", mm(d.funnel->pattern.R));
        line(out, "fine r", mm(d.funnel->pattern.r));
        line(out, "fine phi", decimals(d.funnel->pattern.phi, 2, separator));
    }
    std::string carried;
    for (const auto& row : d.modes) {
        if (!row.propagates)
            continue;
        if (!carried.empty())
            carried += ' ';
        carried += row.mode.name();
    }
    line(out, "modes", (carried.empty() ? "none" : carried) + (d.modesCut ? " and more" : ""));
    for (const auto& row : d.modes)
        line(out, "mode " + row.mode.name(),
             decimals(row.cutoffFrequency, 3, separator) + " GHz, " + mm(row.cutoffWavelength) +
                 " mm, " + (row.propagates ? "propagates" : "cut off"));
    line(out, "single-mode D", mm(d.window.smallest) + " to " + mm(d.window.largest) + " mm");
    warnIfTooWide(d, separator, out);
    if (d.funnel) {
        const horn::Estimate& e = d.funnel->estimate;
        line(out, "horn s", decimals(e.s, 3, separator));
        line(out, "horn directivity",
             e.directivity ? decimals(*e.directivity, 1, separator) + " dBi"
                           : "- (beyond the formula's range)");
        line(out, "horn optimum Du", mm(e.optimumMouth) + " mm");
        line(out, "horn note", hornNote);
    }
    out.flush();
}

void printSweep(const sweep::Band& band, const sweep::Result& result, const std::string& separator,
                std::ostream& out) {
    out << sweepText(band, result, separator);
    out.flush();
}

std::string sweepText(const sweep::Band& band, const sweep::Result& result,
                      const std::string& separator) {
    std::ostringstream out;
    line(out, "band", band.key == "custom" ? band.title : band.key);
    out << std::left << std::setw(12) << "f GHz" << std::setw(10) << "Lo mm" << std::setw(10)
        << "Lg mm" << std::setw(10) << "Lg/4 mm"
        << "3/4 Lg mm" << '\n';
    for (const sweep::Row& row : result.rows)
        out << std::setw(12) << gigahertz(row.frequency, separator) << std::setw(10)
            << decimals(row.freeSpace, 1, separator) << std::setw(10)
            << orDash(row.guide, 1, separator) << std::setw(10)
            << orDash(row.probePlace(), 1, separator) << orDash(row.canLength(), 1, separator)
            << '\n';
    out << std::right;
    line(out, "probe spread", orDash(result.spread, 1, separator) + " mm");
    line(out, "band centre", gigahertz(result.centre, separator) + " GHz");
    line(out, "centre Lg/4", orDash(result.centrePlace, 1, separator) + " mm");
    line(out, "single-mode D for the band",
         result.window.empty() ? "none"
                               : decimals(result.window.smallest, 1, separator) + " to " +
                                     decimals(result.window.largest, 1, separator) + " mm");
    if (!result.allPropagate)
        line(out, "cut off", "the can does not carry every frequency of the band");
    return out.str();
}

} // namespace vlnokan::cli
