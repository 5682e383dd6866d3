#pragma once

#include "cli/JsonReport.h"
#include "feed/FeedAdvice.h"

#include <optional>
#include <ostream>
#include <string>

namespace vlnokan::cli {

// The f/D of --dish: a number from 0.2 to 2, nullopt for anything else.
std::optional<double> dishFOverD(const std::string& text);

// The can as a dish feed, as lines "name = value" and the builder's sentence; a line saying why
// when the simulation gave no answer.
void printDish(std::ostream& out, const std::optional<feed::DishAnswer>& answer);

// The same as the "dish" member of the simulation's JSON: efficiencies as shares, the phase
// centre in millimetres from the can's mouth (+ towards the dish), the curve at every 0.01 of f/D.
Json dishJson(const std::optional<feed::DishAnswer>& answer);

} // namespace vlnokan::cli
