#include "cli/DrawView.h"


#include <utility>

namespace vlnokan::cli {

DrawView::DrawView(std::array<std::string, 4> entries, std::ostream& out, LabelSlots& labelSlots)
    : CliView(std::move(entries), out), m_slots(labelSlots) {}

void DrawView::blankAllSlots() {
    m_slots.blankAll();
}

void DrawView::writeSlot(Slot slot, const std::string& text) {
    m_slots.write(slot, text);
}

} // namespace vlnokan::cli
