#pragma once

#include <QColor>
#include <QFont>

namespace vlnokan {

// A label's font as the user sees it: face, height, character set and style, and the colour the
// caption is drawn in. Copying one copies all of them, which is what the hot-track swap needs.
struct LabelFont {
    QFont font;
    QColor colour;

    friend bool operator==(const LabelFont&, const LabelFont&) = default;
};

} // namespace vlnokan
