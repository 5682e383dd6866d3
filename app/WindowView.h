#pragma once

#include "calc/CalculationView.h"

namespace vlnokan {

class TForm1;

// The window as the Calculate command sees it: entries and fields are the window's edits, the
// slots those of its two drawings, and notices go to the notice box under the application title.
class WindowView final : public CalculationView {
public:
    explicit WindowView(TForm1& form) : m_form(form) {}

    void blankAllSlots() override;
    std::string entryText(Entry entry) const override;
    void setEntryText(Entry entry, const std::string& text) override;
    void showNotice(Notice notice, const std::string& text) override;
    void setField(Field field, std::int64_t value) override;
    void writeSlot(Slot slot, const std::string& text) override;
    void designKnown(const Design& design) override;

private:
    TForm1& m_form;
};

} // namespace vlnokan
