#pragma once

#include "feed/FeedPattern.h"

#include <vector>

namespace vlnokan::feed {

// The dish's half-angle seen from its focus, in degrees: 2 atan(1 / (4 f/D)).
double halfAngleDeg(double fOverD);
double fOverDForHalfAngle(double halfAngleDeg);

// The prime-focus f/D that an offset dish looks like to its feed. Seen from the focus, a point of
// the paraboloid at a distance rho from its axis lies 2 atan(rho / 2f) off the axis (Silver,
// Microwave Antenna Theory and Design, 1949, ch. 12). The offset dish's rim runs from
// rho = clearance to clearance + D, so the feed, aimed at the middle of that span, sees a cone of
// half-angle (atan((clearance + D) / 2f) - atan(clearance / 2f)); the rim of a paraboloid cut by
// a circular cylinder is seen from the focus as a circular cone (Rudge and Adatia, Offset-
// parabolic-reflector antennas: a review, Proc. IEEE 66, 1978), so the same curve answers for it.
// f/D and the clearance (the gap between the axis and the near rim) are per D of the projected
// aperture.
double offsetEquivalentFOverD(double fOverD, double clearanceOverD);

// The shares of the feed's power that make the dish's gain (Silver; Balanis, Antenna Theory,
// reflector antennas; split after Kildal for a feed whose field turns once around the axis):
// spillover (power that hits the dish), taper (how evenly it lights the aperture), phase (how
// flat its phase is over the dish, about the focus), cross-polar (power in the unwanted
// polarisation); aperture is their product.
struct DishEfficiency {
    double fOverD = 0;
    double halfAngleDeg = 0;
    double spillover = 0;
    double taper = 0;
    double phase = 0;
    double crossPolar = 0;
    double aperture = 0;
};

// With the pattern's phase taken about the dish's focus. Throws std::invalid_argument for a
// pattern checkPattern refuses or an f/D that is not positive.
DishEfficiency dishEfficiency(const FeedPattern& pattern, double fOverD);

// Every step of f/D from first to last inclusive.
std::vector<DishEfficiency> efficiencyCurve(const FeedPattern& pattern, double first = 0.25,
                                            double last = 1.0, double step = 0.01);

// The f/D between first and last where the aperture efficiency is highest, to 0.0005.
DishEfficiency bestDish(const FeedPattern& pattern, double first = 0.25, double last = 1.0);

} // namespace vlnokan::feed
