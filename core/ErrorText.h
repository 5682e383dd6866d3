#pragma once

#include <string>

namespace vlnokan {

// The text the error box shows for a fault's message: a full stop is added when the message
// ends in a character above the full stop (a letter or a digit), so every sentence ends once.
std::string errorBoxText(const std::string& message);

} // namespace vlnokan
