#include "drawing/LabelSlots.h"

namespace vlnokan::drawing {

LabelSlots::LabelSlots(Diagram& can, Diagram& funnel) : m_can(can), m_funnel(funnel) {}

Point LabelSlots::position(Slot slot) {
    switch (slot) {
    case Slot::CanLo4:
        return {222, 157};
    case Slot::CanLg4:
        return {140, 119};
    case Slot::CanLg34:
        return {222, 195};
    case Slot::CanD:
        return {24, 103};
    case Slot::CanDu:
        return {410, 103};
    case Slot::OuterChord:
        return {140, 234};
    case Slot::OuterArc:
        return {140, 208};
    case Slot::SectorAngle:
        return {120, 174};
    case Slot::InnerArc:
        return {140, 70};
    case Slot::InnerChord:
        return {160, 10};
    case Slot::InnerRadius:
        return {140, 40};
    case Slot::OuterRadius:
        return {80, 120};
    case Slot::ApexToInnerChord:
        return {270, 20};
    case Slot::BetweenChords:
        return {270, 110};
    }
    return {};
}

bool LabelSlots::onCanDrawing(Slot slot) {
    switch (slot) {
    case Slot::CanLo4:
    case Slot::CanLg4:
    case Slot::CanLg34:
    case Slot::CanD:
    case Slot::CanDu:
        return true;
    default:
        return false;
    }
}

const std::array<Slot, 14>& LabelSlots::blankingOrder() {
    static constexpr std::array<Slot, 14> order = {
        Slot::OuterRadius,   Slot::InnerRadius,     Slot::InnerChord, Slot::InnerArc,
        Slot::SectorAngle,   Slot::OuterArc,        Slot::OuterChord, Slot::CanDu,
        Slot::CanLo4,        Slot::CanLg4,          Slot::CanD,       Slot::CanLg34,
        Slot::BetweenChords, Slot::ApexToInnerChord};
    return order;
}

const std::string& LabelSlots::blankingText() {
    static const std::string blanks(15, ' ');
    return blanks;
}

void LabelSlots::blankAll() {
    for (Slot slot : blankingOrder())
        blank(slot);
}

void LabelSlots::blank(Slot slot) {
    Diagram& diagram = diagramOf(slot);
    const Point place = position(slot);
    const Rect earlier = diagram.takeTextArea(place);
    const Rect blanked = diagram.writeText(place, blankingText());
    if (!earlier.isEmpty() && !blanked.contains(earlier))
        diagram.eraseRect(earlier);
}

void LabelSlots::write(Slot slot, std::string_view text) {
    diagramOf(slot).writeText(position(slot), text);
}

} // namespace vlnokan::drawing
