#include "feed/FeedAdvice.h"

#include <cmath>
#include <cstdio>

namespace vlnokan::feed {

namespace {

// Half a decibel of gain: the builder hardly notices less.
constexpr double suitsShare = 0.891;

std::string twoDecimals(double value, Language language) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string result = text;
    if (language == Language::Czech)
        for (char& c : result)
            if (c == '.')
                c = ',';
    return result;
}

} // namespace

DishAnswer dishAnswer(const FeedPattern& patternAboutMouth, double wavelengthMm, double fOverD) {
    DishAnswer answer;
    answer.centre = phaseCentre(patternAboutMouth, wavelengthMm);
    const FeedPattern atFocus = patternAboutMouth.about(answer.centre.offsetMm, wavelengthMm);
    answer.curve = efficiencyCurve(atFocus);
    answer.best = bestDish(atFocus);
    answer.yours = dishEfficiency(atFocus, fOverD);
    answer.suitsFrom = answer.best.fOverD;
    answer.suitsTo = answer.best.fOverD;
    for (const DishEfficiency& point : answer.curve)
        if (point.aperture >= suitsShare * answer.best.aperture) {
            answer.suitsFrom = std::min(answer.suitsFrom, point.fOverD);
            answer.suitsTo = std::max(answer.suitsTo, point.fOverD);
        }
    return answer;
}

std::string builderSentence(const DishAnswer& answer, Language language) {
    const bool czech = language == Language::Czech;
    const auto number = [&](double value) { return twoDecimals(value, language); };
    const double yours = answer.yours.fOverD;
    std::string text = czech ? "Tato plechovka se hodí pro paraboly s f/D " +
                                   number(answer.suitsFrom) + " až " + number(answer.suitsTo) + "; "
                             : "This can suits dishes of f/D " + number(answer.suitsFrom) + " to " +
                                   number(answer.suitsTo) + "; ";
    // Compared as the figures are printed, so that the sentence agrees with them.
    const double shown = std::round(yours * 100);
    if (shown > std::round(answer.suitsTo * 100))
        text += czech
                    ? "pro vaši parabolu s f/D " + number(yours) +
                          " je třeba trychtýř nebo užší svazek."
                    : "for your " + number(yours) + " dish a funnel or a narrower beam is needed.";
    else if (shown < std::round(answer.suitsFrom * 100))
        text +=
            czech ? "pro vaši parabolu s f/D " + number(yours) +
                        " je třeba širší svazek (užší plechovka)."
                  : "for your " + number(yours) + " dish a wider beam is needed (a narrower can).";
    else
        text += czech ? "vaše parabola s f/D " + number(yours) + " mezi ně patří."
                      : "your " + number(yours) + " dish is one of them.";
    return text;
}

} // namespace vlnokan::feed
