#pragma once

#include "core/Seam.h"

#include <exception>
#include <string>
#include <utility>

namespace vlnokan {

// Where a fault goes that ended a handler: the program's one error handler. It is called after
// the handler's frames are gone but while the toolkit's frames that called the handler are still
// there, so it must return normally; it may run a modal box.
class FaultHandlerService {
public:
    virtual ~FaultHandlerService() = default;
    virtual void handleFault(std::exception_ptr fault) = 0;
};

// Without the window (the drawing companion, tests of single units) a fault is written to
// standard error as "error: ..." and the floating-point unit is put back.
class StderrFaultHandler final : public FaultHandlerService {
public:
    void handleFault(std::exception_ptr fault) override;
};

using FaultHandler = Seam<FaultHandlerService, StderrFaultHandler>;

// The message a fault carries (the whole of it for the program's own faults), and whether it is
// the silent EAbort, which no box reports.
struct FaultText {
    std::string message;
    bool silent = false;
};
FaultText faultText(std::exception_ptr fault);

// Runs our code where the toolkit enters it (a slot, an event handler, a timer, a queued call).
// A fault must not unwind through the toolkit's frames, which do not expect one: it is caught
// here and handed to the fault handler, and the toolkit sees the handler return normally.
template <typename Code> void guarded(Code&& code) noexcept {
    std::exception_ptr fault;
    try {
        std::forward<Code>(code)();
    } catch (...) {
        fault = std::current_exception();
    }
    // Outside the catch: the handler may run a nested event loop.
    if (fault)
        FaultHandler::get().handleFault(std::move(fault));
}

// The same for a handler that answers the toolkit (an event filter): after a fault the toolkit
// gets afterFault.
template <typename Result, typename Code> Result guarded(Code&& code, Result afterFault) noexcept {
    Result result = afterFault;
    guarded([&] { result = std::forward<Code>(code)(); });
    return result;
}

// A slot for connect() that runs a member function of object, guarded.
template <typename Object> auto guardedSlot(Object* object, void (Object::*member)()) {
    return [object, member] { guarded([object, member] { (object->*member)(); }); };
}

} // namespace vlnokan
