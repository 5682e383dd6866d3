#include "core/Guard.h"

#include "core/Checked.h"
#include "core/ErrorText.h"
#include "core/Faults.h"

#include <cstdio>

namespace vlnokan {

FaultText faultText(std::exception_ptr fault) {
    try {
        std::rethrow_exception(std::move(fault));
    } catch (const EAbort&) {
        return {{}, true};
    } catch (const Exception& caught) {
        return {caught.message(), false};
    } catch (const std::exception& caught) {
        return {caught.what(), false};
    } catch (...) {
        return {"Unknown fault", false};
    }
}

void StderrFaultHandler::handleFault(std::exception_ptr fault) {
    resetFloatingPoint();
    const FaultText text = faultText(std::move(fault));
    if (!text.silent)
        std::fprintf(stderr, "error: %s\n", errorBoxText(text.message).c_str());
}

} // namespace vlnokan
