#pragma once

#include "measure/Sweep.h"

#include <filesystem>
#include <istream>
#include <string>

namespace vlnokan::measure {

// Reads a network analyser's sweep in the Touchstone format, version 1 (option line, one row per
// frequency) or 2 ([Version] 2.0 and keywords): a one-port's S, Y or Z parameters, or S11 of a
// two-port, in RI, MA or DB, any frequency unit and reference resistance, converted to 50 ohms.
// fileName gives the port count for version 1 (.s1p, .s2p) and names the file in errors.
// Throws EMeasurement naming the line and what is wrong; nothing half-read is ever returned.
Sweep readTouchstone(std::istream& in, const std::string& fileName);

// The file at path, opened for reading only.
Sweep readTouchstoneFile(const std::filesystem::path& path);

} // namespace vlnokan::measure
