#pragma once

#include "calc/BandSweep.h"
#include "calc/Design.h"
#include "calc/Details.h"

#include <ostream>
#include <string>

namespace vlnokan::cli {

// The antenna details as NAME = VALUE lines, after the calculation's own lines.
void printDetails(const details::Details& details, const std::string& separator, std::ostream& out);

// "warning = ..." when the design's can carries more than TE11, else nothing; the same line the
// details print.
void printWidthWarning(const Design& design, const std::string& separator, std::ostream& out);

// The band sweep as a table, one frequency a row, then its summary as NAME = VALUE lines. It is
// made whole before any of it is written: a figure the table cannot show (a fault of the
// conversion, thrown) leaves no half line.
std::string sweepText(const sweep::Band& band, const sweep::Result& result,
                      const std::string& separator);
void printSweep(const sweep::Band& band, const sweep::Result& result, const std::string& separator,
                std::ostream& out);

// What the horn's figure is, said wherever it is shown.
inline constexpr const char* hornNote = "estimate for an ideal horn, not a measurement";

} // namespace vlnokan::cli
