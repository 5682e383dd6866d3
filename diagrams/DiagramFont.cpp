#include "diagrams/DiagramFont.h"

#include "fonts/Fonts.h"

namespace vlnokan {

namespace {

// Glyphs become part of the drawing's pixels, so they are rendered in black and white only, with
// hinting fixed here rather than taken from the machine's font configuration, and without
// kerning, which would pull neighbours such as the two ones of "211" into each other.
QFont forDrawing(QFont font) {
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

} // namespace

QFont diagramTextFont(int screenDpi) {
    return forDrawing(Fonts::get().font(Face::MsSansSerif, eightPointPixels(screenDpi), false));
}

QFont diagramLabelFont() {
    return forDrawing(Fonts::get().font(Face::Arial, 14, true));
}

} // namespace vlnokan
