#pragma once

#include "core/Faults.h"

namespace vlnokan::sim {

// A simulation that cannot start or did not finish: the engine is missing or crashed, the model
// is too large for the memory, the design cannot be simulated, a file could not be written.
class ESimulation final : public Exception {
public:
    using Exception::Exception;
};

} // namespace vlnokan::sim
