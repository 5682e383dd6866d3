#pragma once

#include "calc/CalculationView.h"

#include <string>

namespace vlnokan {

// The one road through the program: from the entry texts to corrected entries, result fields and
// the figures on both drawings. A fault ends it where it strikes; what was done before stays.
class CalculateCommand final {
public:
    // separator: the decimal separator the frequency is converted with.
    CalculateCommand(CalculationView& view, std::string separator);

    void run();

private:
    CalculationView& m_view;
    std::string m_separator;
};

} // namespace vlnokan
