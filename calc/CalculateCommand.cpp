#include "calc/CalculateCommand.h"

#include "calc/CanCalc.h"
#include "entry/Conversion.h"
#include "entry/Separator.h"

#include <utility>

namespace vlnokan {

using namespace checked;

namespace {

std::string decimal(std::int64_t value) {
    return std::to_string(value);
}

} // namespace

CalculateCommand::CalculateCommand(CalculationView& view, std::string separator)
    : m_view(view), m_separator(std::move(separator)) {}

void CalculateCommand::run() {
    // 1. Old figures go first, so a fault later leaves no stale figure behind.
    m_view.blankAllSlots();
    Design design;
    m_view.designKnown(design);

    // 2-3. The frequency, brought to the separator it is converted with.
    m_view.setEntryText(Entry::Frequency,
                        entry::normaliseSeparator(m_view.entryText(Entry::Frequency), m_separator));
    const Real frequency = entry::toReal(m_view.entryText(Entry::Frequency), m_separator);

    // 4-5. The can's diameter, at most 125 mm; the notice shows while the entry still holds the
    // typed text.
    std::int32_t diameter = entry::toInteger(m_view.entryText(Entry::Diameter));
    if (diameter > can::largestDiameter) {
        diameter = can::largestDiameter;
        m_view.showNotice(Notice::C1, noticeText(Notice::C1));
        m_view.setEntryText(Entry::Diameter, decimal(diameter));
    }

    // 6. Free-space wavelength.
    const Real freeSpace = can::freeSpaceWavelength(frequency);
    const std::int64_t loShown = round(freeSpace);
    m_view.setField(Field::Lo, loShown);
    m_view.figureKnown("Lo", decimal(loShown));

    // 7. A can too narrow for the frequency is widened; here the entry changes first.
    Real cutoff = can::cutoffWavelength(diameter);
    if (cutoff < freeSpace) {
        diameter = can::propagatingDiameter(freeSpace);
        m_view.setEntryText(Entry::Diameter, decimal(diameter));
        cutoff = can::cutoffWavelength(diameter);
        m_view.showNotice(Notice::C2, noticeText(Notice::C2));
    }
    m_view.figureKnown("D", decimal(diameter));
    design.frequency = frequency;
    design.diameter = diameter;
    design.canKnown = true;
    m_view.designKnown(design);

    // 8. Guide wavelength.
    const Real guide = can::guideWavelength(freeSpace, cutoff);
    const std::int64_t lgShown = round(guide);
    m_view.setField(Field::Lg, lgShown);
    m_view.figureKnown("Lg", decimal(lgShown));

    // 9-12. The probe: its length, its distance from the closed end, the can's length; each
    // quarter from the real wavelength, not from the rounded one.
    const std::int64_t probeLength = round(div(freeSpace, 4.0L));
    m_view.setField(Field::Lo4, probeLength);
    m_view.writeSlot(Slot::CanLo4, "= " + decimal(probeLength));
    m_view.figureKnown("Lo/4", decimal(probeLength));

    const std::int64_t probePlace = round(div(guide, 4.0L));
    m_view.setField(Field::Lg4, probePlace);
    m_view.writeSlot(Slot::CanLg4, "= " + decimal(probePlace));
    m_view.figureKnown("Lg/4", decimal(probePlace));

    const std::int64_t canLength = round(mul(div(guide, 4.0L), 3.0L));
    m_view.writeSlot(Slot::CanLg34, "= " + decimal(canLength));
    m_view.figureKnown("3/4 Lg", decimal(canLength));

    m_view.writeSlot(Slot::CanD, "= " + decimal(diameter));

    // 13-15. The funnel's angle, between 20 and 60 degrees.
    std::int32_t angle = entry::toInteger(m_view.entryText(Entry::Angle));
    if (angle > funnel::largestAngle) {
        angle = funnel::largestAngle;
        m_view.showNotice(Notice::F1, noticeText(Notice::F1));
        m_view.setEntryText(Entry::Angle, decimal(angle));
    }
    if (angle < funnel::smallestAngle) {
        angle = funnel::smallestAngle;
        m_view.showNotice(Notice::F2, noticeText(Notice::F2));
        m_view.setEntryText(Entry::Angle, decimal(angle));
    }
    m_view.figureKnown("alfa", decimal(angle));

    // 16-17. The mouth, at least twice the (final) can diameter.
    std::int32_t mouth = entry::toInteger(m_view.entryText(Entry::Mouth));
    if (const std::int32_t smallest = funnel::smallestMouth(diameter); smallest > mouth) {
        mouth = smallest;
        m_view.showNotice(Notice::F3, noticeText(Notice::F3, mouth));
        m_view.setEntryText(Entry::Mouth, decimal(mouth));
    }
    m_view.figureKnown("Du", decimal(mouth));

    // 18. The flat pattern of the funnel.
    const funnel::Pattern p = funnel::develop(angle, mouth, diameter);
    const std::string sectorAngle = entry::formatTwoDecimals(p.phi, m_separator);
    for (const auto& [name, value] : {std::pair<const char*, std::string>{"R", decimal(p.R)},
                                      {"r", decimal(p.r)},
                                      {"L", decimal(p.L)},
                                      {"l", decimal(p.l)},
                                      {"phi", sectorAngle},
                                      {"C", decimal(p.C)},
                                      {"c", decimal(p.c)},
                                      {"hi", decimal(p.hi)},
                                      {"ho", decimal(p.ho)},
                                      {"dH", decimal(p.dH)}})
        m_view.figureKnown(name, value);
    design.angle = angle;
    design.mouth = mouth;
    design.funnelKnown = true;
    m_view.designKnown(design);

    // 19-20. Its figures onto the drawings.
    m_view.writeSlot(Slot::CanDu, "Du = " + decimal(mouth));
    m_view.writeSlot(Slot::OuterChord, decimal(p.C));
    m_view.writeSlot(Slot::OuterArc, "l = " + decimal(p.L));
    m_view.writeSlot(Slot::SectorAngle, "alfa = " + sectorAngle);
    m_view.writeSlot(Slot::InnerArc, "l = " + decimal(p.l));
    m_view.writeSlot(Slot::InnerChord, decimal(p.c));
    m_view.writeSlot(Slot::InnerRadius, "r = " + decimal(p.r));
    m_view.writeSlot(Slot::OuterRadius, "R = " + decimal(p.R));
    m_view.writeSlot(Slot::ApexToInnerChord, decimal(p.hi));
    m_view.writeSlot(Slot::BetweenChords, decimal(p.dH));
}

} // namespace vlnokan
