#pragma once

#include "calc/CalculationView.h"
#include "diagrams/Diagram.h"

#include <array>
#include <string>

namespace vlnokan::test {

// The Calculate command as the window runs it, as far as the drawings go: every slot blanked and
// written into real drawings; notices and fields are left out.
class DrawingView final : public CalculationView {
public:
    DrawingView(std::array<std::string, 4> entries, LabelSlots& labelSlots)
        : m_entries(std::move(entries)), m_slots(labelSlots) {}
    void blankAllSlots() override { m_slots.blankAll(); }
    std::string entryText(Entry entry) const override { return m_entries[std::size_t(entry)]; }
    void setEntryText(Entry entry, const std::string& text) override {
        m_entries[std::size_t(entry)] = text;
    }
    void showNotice(Notice, const std::string&) override {}
    void setField(Field, std::int64_t) override {}
    void writeSlot(Slot slot, const std::string& text) override {
        m_slots.write(slot, text);
    }

private:
    std::array<std::string, 4> m_entries;
    LabelSlots& m_slots;
};

} // namespace vlnokan::test
