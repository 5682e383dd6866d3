#pragma once

#include "sim/FarField.h"
#include "sim/PortResponse.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vlnokan::sim {

// What a simulation tells the builder about his antenna.
struct SimResults {
    double centreHz = 0;
    std::vector<PortSample> band; // the feed across the pulse's band
    Match match;
    double s11AtCentreDb = 0;
    FarField farField;
    double gainDbi = 0;    // directivity less what the walls and the probe lose
    double efficiency = 1; // radiated over accepted power, at most 1
    std::size_t cells = 0;
    double seconds = 0; // the engine's wall time
    bool fromCache = false;
    std::string warning; // what went wrong around a finished run (its results not kept); not stored
};

// The results as a small text file and back. read throws ESimulation for anything that is not
// a whole file of this kind.
void writeResults(std::ostream& out, const SimResults& results);
SimResults readResults(std::istream& in);

} // namespace vlnokan::sim
