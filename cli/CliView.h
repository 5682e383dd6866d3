#pragma once

#include "calc/CalculationView.h"

#include <array>
#include <ostream>
#include <string>

namespace vlnokan::cli {

// The Calculate command without a window: the entries are the command line's texts, and every
// notice and figure becomes a line of output the moment the command has it. It keeps the design
// the command made final, for what follows the figures (warnings, details, template, simulation).
class CliView : public CalculationView {
public:
    CliView(std::array<std::string, 4> entries, std::ostream& out);

    void blankAllSlots() override {}
    std::string entryText(Entry entry) const override;
    void setEntryText(Entry entry, const std::string& text) override;
    void showNotice(Notice notice, const std::string& text) override;
    void setField(Field, std::int64_t) override {}
    void writeSlot(Slot, const std::string&) override {}
    void figureKnown(const std::string& name, const std::string& value) override;
    void designKnown(const Design& design) override { m_design = design; }
    const Design& design() const { return m_design; }

private:
    std::array<std::string, 4> m_entries;
    std::ostream& m_out;
    Design m_design;
};

} // namespace vlnokan::cli
