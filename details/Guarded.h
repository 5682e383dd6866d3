#pragma once

#include "core/Checked.h"
#include "core/Faults.h"

#include <exception>
#include <functional>
#include <string>

namespace vlnokan {

// Where a fault in the details goes: the program's error box.
using ErrorReporter = std::function<void(const std::string& message)>;

// Runs a handler's work so that a fault ends it there and goes to the report, instead of
// unwinding through Qt's frames. Returns whether the work ran to its end.
template <typename Work> bool guarded(const ErrorReporter& report, Work&& work) {
    std::string message;
    try {
        work();
        return true;
    } catch (const Exception& fault) {
        message = fault.message();
    } catch (const std::exception& fault) {
        message = fault.what();
    }
    resetFloatingPoint();
    if (report)
        report(message);
    return false;
}

} // namespace vlnokan
