#pragma once

#include "calc/Design.h"
#include "calc/FunnelCalc.h"
#include "calc/Notices.h"

#include <cstdint>
#include <string>

namespace vlnokan {

// The four entries the user types: EditGHz, EditD, EditAlfa, EditUsti.
enum class Entry { Frequency, Diameter, Angle, Mouth };

// The read-only result fields: EditLo, EditLg, EditLo4, EditLg4.
enum class Field { Lo, Lg, Lo4, Lg4 };

// The places on the two drawings where a figure is written.
enum class Slot {
    // can drawing
    CanLo4,
    CanLg4,
    CanLg34,
    CanD,
    CanDu,
    // funnel drawing
    OuterChord,
    OuterArc,
    SectorAngle,
    InnerArc,
    InnerChord,
    InnerRadius,
    OuterRadius,
    ApexToInnerChord,
    BetweenChords,
};

// What the Calculate command talks to: the window, or the command-line calculator. Texts are
// UTF-8. The command calls these in the order the user sees the effects.
class CalculationView {
public:
    virtual ~CalculationView() = default;

    virtual void blankAllSlots() = 0;
    virtual std::string entryText(Entry entry) const = 0;
    virtual void setEntryText(Entry entry, const std::string& text) = 0;
    // Modal: returns when the user has closed the notice.
    virtual void showNotice(Notice notice, const std::string& text) = 0;
    virtual void setField(Field field, std::int64_t value) = 0;
    virtual void writeSlot(Slot slot, const std::string& text) = 0;

    // A figure is known from now on (name as the calculator prints it: "Lo", "D", "alfa", "phi",
    // ...). The window shows its figures through the calls above and has nothing to do here.
    virtual void figureKnown(const std::string& name, const std::string& value) {
        static_cast<void>(name);
        static_cast<void>(value);
    }

    // What is final of the design so far: empty when the command starts, the can once its
    // diameter is final, the whole antenna once the funnel's pattern is developed.
    virtual void designKnown(const Design& design) { static_cast<void>(design); }
};

} // namespace vlnokan
