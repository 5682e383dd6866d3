#pragma once

#include "core/Guard.h"

#include <string>
#include <vector>

namespace vlnokan::test {

// Stands where the error box stands and writes down each fault's message, for as long as it
// lives.
class RecordingFaults final : public FaultHandlerService {
public:
    void handleFault(std::exception_ptr fault) override {
        messages.push_back(faultText(fault).message);
    }
    std::vector<std::string> messages;

private:
    FaultHandler::Replacement m_guard{*this};
};

} // namespace vlnokan::test
