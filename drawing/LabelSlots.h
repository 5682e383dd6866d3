#pragma once

#include "calc/CalculationView.h"
#include "drawing/Diagram.h"

#include <array>
#include <string>
#include <string_view>

namespace vlnokan::drawing {

// The fourteen places on the two drawings where the Calculate command writes its figures.
class LabelSlots final {
public:
    LabelSlots(Diagram& can, Diagram& funnel);

    // Clears every slot, in the fixed order of the drawings. Each slot is painted over with
    // fifteen blanks and, beyond them, over everything written there before, so no digit of a
    // longer old figure survives. Lines cut by the white stay cut.
    void blankAll();
    // Writes text with its top-left at the slot's place, in the drawings' text style.
    void write(Slot slot, std::string_view text);

    // The top-left corner of the slot's text, in the pixels of its drawing.
    static Point position(Slot slot);
    static bool onCanDrawing(Slot slot);
    static const std::array<Slot, 14>& blankingOrder();
    static const std::string& blankingText();

private:
    void blank(Slot slot);
    Diagram& diagramOf(Slot slot) { return onCanDrawing(slot) ? m_can : m_funnel; }

    Diagram& m_can;
    Diagram& m_funnel;
};

} // namespace vlnokan::drawing
