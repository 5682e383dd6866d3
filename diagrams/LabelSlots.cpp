#include "diagrams/LabelSlots.h"

#include <array>

namespace vlnokan {

namespace {

struct SlotPlace {
    bool onCan;
    QPoint topLeft;
};

SlotPlace placeOf(Slot slot) {
    switch (slot) {
    case Slot::CanLo4:
        return {true, {222, 157}};
    case Slot::CanLg4:
        return {true, {140, 119}};
    case Slot::CanLg34:
        return {true, {222, 195}};
    case Slot::CanD:
        return {true, {24, 103}};
    case Slot::CanDu:
        return {true, {410, 103}};
    case Slot::OuterChord:
        return {false, {140, 234}};
    case Slot::OuterArc:
        return {false, {140, 208}};
    case Slot::SectorAngle:
        return {false, {120, 174}};
    case Slot::InnerArc:
        return {false, {140, 70}};
    case Slot::InnerChord:
        return {false, {160, 10}};
    case Slot::InnerRadius:
        return {false, {140, 40}};
    case Slot::OuterRadius:
        return {false, {80, 120}};
    case Slot::ApexToInnerChord:
        return {false, {270, 20}};
    case Slot::BetweenChords:
        return {false, {270, 110}};
    }
    return {true, {}};
}

const QString blanks = QString(15, QLatin1Char(' '));

} // namespace

LabelSlots::LabelSlots(Diagram& can, Diagram& funnel) : m_can(can), m_funnel(funnel) {}

void LabelSlots::blankAll() {
    constexpr std::array order = {Slot::OuterRadius,      Slot::InnerRadius, Slot::InnerChord,
                                  Slot::InnerArc,         Slot::SectorAngle, Slot::OuterArc,
                                  Slot::OuterChord,       Slot::CanDu,       Slot::CanLo4,
                                  Slot::CanLg4,           Slot::CanD,        Slot::CanLg34,
                                  Slot::BetweenChords,    Slot::ApexToInnerChord};
    for (Slot slot : order)
        blank(slot);
}

void LabelSlots::blank(Slot slot) {
    const SlotPlace place = placeOf(slot);
    Diagram& diagram = place.onCan ? m_can : m_funnel;
    diagram.writeText(place.topLeft, blanks);
    if (auto it = m_lastWritten.find(slot); it != m_lastWritten.end())
        diagram.eraseRect(it->second);
}

void LabelSlots::write(Slot slot, const QString& text) {
    const SlotPlace place = placeOf(slot);
    Diagram& diagram = place.onCan ? m_can : m_funnel;
    m_lastWritten[slot] = diagram.writeText(place.topLeft, text);
}

} // namespace vlnokan
