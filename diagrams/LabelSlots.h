#pragma once

#include "calc/CalculationView.h"
#include "diagrams/Diagram.h"

#include <QString>

#include <map>

namespace vlnokan {

// The fourteen places on the two drawings where the Calculate command writes its figures.
class LabelSlots final {
public:
    LabelSlots(Diagram& can, Diagram& funnel);

    // Clears every slot, in the fixed order of the drawings, so no old figure survives.
    void blankAll();
    void write(Slot slot, const QString& text);

private:
    void blank(Slot slot);

    Diagram& m_can;
    Diagram& m_funnel;
    std::map<Slot, QRect> m_lastWritten;
};

} // namespace vlnokan
