#pragma once

#include "cli/CliView.h"

namespace vlnokan::cli {

// The command line's view that also keeps the final design for the template.
class TemplateView final : public CliView {
public:
    using CliView::CliView;

    void designKnown(const Design& design) override { m_design = design; }
    const Design& design() const { return m_design; }

private:
    Design m_design;
};

} // namespace vlnokan::cli
