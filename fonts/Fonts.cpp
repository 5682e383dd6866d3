#include "fonts/Fonts.h"

namespace vlnokan {

FreeFonts::FreeFonts() {
    // Texts that name a face directly (style sheets, designer defaults) find the same fonts.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), familyFor(Face::MsSansSerif));
    QFont::insertSubstitution(QStringLiteral("Arial"), familyFor(Face::Arial));
}

QString FreeFonts::familyFor(Face face) {
    switch (face) {
    case Face::Arial:
    case Face::MsSansSerif:
        return QStringLiteral("Liberation Sans");
    }
    return QStringLiteral("Liberation Sans");
}

QFont FreeFonts::font(Face face, int pixelHeight, bool bold) const {
    QFont font(familyFor(face));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace vlnokan
