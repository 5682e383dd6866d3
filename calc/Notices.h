#pragma once

#include <string>

namespace vlnokan {

// The corrections of out-of-range entries that the user is told about: C1 and C2 for the can,
// F1 to F3 for the funnel.
enum class Notice { C1, C2, F1, F2, F3 };

// The Czech text of a notice; its first line ends with a line feed followed by a carriage return.
// F3 ends with the new mouth diameter, given as mouth.
std::string noticeText(Notice notice, int mouth = 0);

// "C1", "C2", "F1", "F2" or "F3".
std::string noticeLabel(Notice notice);

} // namespace vlnokan
