#include "core/Faults.h"

namespace vlnokan {

namespace {

// The system's description loses its trailing blanks, control characters and full stops, so that
// the error box's own full stop is the only one.
std::string trimmedDescription(std::string text) {
    while (!text.empty()) {
        const auto last = static_cast<unsigned char>(text.back());
        if (last > ' ' && last != '.')
            break;
        text.pop_back();
    }
    return text;
}

std::string osErrorMessage(int code, const std::string& description) {
    if (code == 0)
        return "A call to an OS function failed";
    return "System Error.  Code: " + std::to_string(code) + ".\r\n" +
           trimmedDescription(description);
}

} // namespace

EOSError::EOSError(int code, const std::string& description)
    : Exception(osErrorMessage(code, description)), m_code(code) {}

} // namespace vlnokan
