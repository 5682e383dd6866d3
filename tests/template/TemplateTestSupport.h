#pragma once

// Shared by the template's tests: a finished design and reading back rendered pages.
#include "calc/Design.h"

#include <QImage>

namespace vlnokan::test {

inline Design funnelDesign(int angle, int diameter, int mouth) {
    return Design::complete(2.4L, diameter, angle, mouth);
}

inline bool dark(QRgb pixel) {
    return qGray(pixel) < 128;
}

// The longest run of dark pixels along row y between x0 and x1.
inline int longestDarkRun(const QImage& image, int y, int x0, int x1) {
    int best = 0;
    int run = 0;
    for (int x = std::max(0, x0); x < std::min(image.width(), x1); ++x) {
        run = dark(image.pixel(x, y)) ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

} // namespace vlnokan::test
