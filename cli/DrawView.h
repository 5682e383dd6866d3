#pragma once

#include "cli/CliView.h"
#include "diagrams/Diagram.h"

namespace vlnokan::cli {

// The command-line calculation that also writes every figure onto the two drawings, as the
// window does, so the drawings can be saved afterwards.
class DrawView final : public CliView {
public:
    DrawView(std::array<std::string, 4> entries, std::ostream& out, LabelSlots& labelSlots);

    void blankAllSlots() override;
    void writeSlot(Slot slot, const std::string& text) override;

private:
    LabelSlots& m_slots;
};

} // namespace vlnokan::cli
