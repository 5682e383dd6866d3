#pragma once

#include "core/Seam.h"
#include "pattern/Tiling.h"

#include <QString>

#include <optional>

namespace vlnokan::templ {

// A printer's paper as the template needs it: its size and the widest unprintable border.
struct PrinterPaper {
    pattern::Paper paper;
    double margin = 0; // mm
};

// The print system as the template sees it: the default printer's paper, and a finished PDF
// handed to the printer at true size.
class TemplatePrintSystem {
public:
    virtual ~TemplatePrintSystem() = default;
    // The default printer's name, empty when none is set.
    virtual QString defaultPrinter() = 0;
    virtual std::optional<PrinterPaper> paperOf(const QString& printer) = 0;
    // Spools the PDF file on printer, not scaled; the print system's complaint, empty when taken.
    virtual QString send(const QString& printer, const QString& pdfPath, const QString& title) = 0;
};

// CUPS: the paper from the queue's page layout, the job through lp -o print-scaling=none.
class CupsTemplatePrintSystem final : public TemplatePrintSystem {
public:
    QString defaultPrinter() override;
    std::optional<PrinterPaper> paperOf(const QString& printer) override;
    QString send(const QString& printer, const QString& pdfPath, const QString& title) override;
};

using TemplatePrintSeam = Seam<TemplatePrintSystem, CupsTemplatePrintSystem>;

// Tiles the pattern on the default printer's paper within its printable area and prints it,
// cover first. Returns the tiling printed. Throws EPrinter when there is no printer or the job is
// refused.
pattern::Tiling printTemplate(const pattern::Pattern& pattern, double overlap);

} // namespace vlnokan::templ
