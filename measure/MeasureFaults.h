#pragma once

#include "core/Faults.h"

namespace vlnokan::measure {

// A measurement file that cannot be read whole: its line and what is wrong there.
class EMeasurement final : public Exception {
public:
    using Exception::Exception;
};

} // namespace vlnokan::measure
