#pragma once

#include "core/Seam.h"

#include <QFont>
#include <QString>

namespace vlnokan {

// The two faces the program's texts are set in, named as the Windows originals of its design.
enum class Face {
    Arial,       // the link labels and the can drawing's labels
    MsSansSerif, // the window's controls and the figures written on the drawings
};

// Where fonts come from. Every text of the program asks here, so the mapping of the faces to the
// fonts installed on the machine is made in one place and tests may fix it.
class FontSource {
public:
    virtual ~FontSource() = default;
    // The face at a character height of pixelHeight pixels (the em, not the cell).
    virtual QFont font(Face face, int pixelHeight, bool bold) const = 0;
};

// Neither face exists on Linux. Liberation Sans (fonts-liberation2) has Arial's metrics and
// stands in for both: the bitmap sans-serif of the drawings is a Helvetica-style face of nearly
// the same widths at 11 pixels, so the figures fill their slots as designed.
class FreeFonts final : public FontSource {
public:
    FreeFonts();
    QFont font(Face face, int pixelHeight, bool bold) const override;

    // The installed family that stands in for face.
    static QString familyFor(Face face);
};

using Fonts = Seam<FontSource, FreeFonts>;

} // namespace vlnokan
