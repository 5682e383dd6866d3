#pragma once

#include "feed/DishEfficiency.h"
#include "feed/PhaseCentre.h"

#include <string>
#include <vector>

namespace vlnokan::feed {

// What a feed builder needs to know about the can in front of his dish.
struct DishAnswer {
    std::vector<DishEfficiency> curve; // f/D 0.25 to 1.0
    DishEfficiency best;
    DishEfficiency yours; // at the builder's f/D, with the feed's phase centre at the focus
    PhaseCentre centre;   // from the can's mouth
    double suitsFrom = 0; // the f/D range within half a decibel of the best
    double suitsTo = 0;
};

// Throws std::invalid_argument as dishEfficiency and phaseCentre do.
DishAnswer dishAnswer(const FeedPattern& patternAboutMouth, double wavelengthMm, double fOverD);

enum class Language { English, Czech };

// "This can suits dishes of f/D 0.35 to 0.45; for your 0.60 dish a funnel or a narrower beam
// is needed."
std::string builderSentence(const DishAnswer& answer, Language language);

} // namespace vlnokan::feed
