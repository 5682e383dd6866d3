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

// CUPS: the queue's own default paper and its printable area (from the queue's PPD, which CUPS
// also makes for driverless IPP printers), the job through lp -o print-scaling=none.
class CupsTemplatePrintSystem final : public TemplatePrintSystem {
public:
    QString defaultPrinter() override;
    std::optional<PrinterPaper> paperOf(const QString& printer) override;
    QString send(const QString& printer, const QString& pdfPath, const QString& title) override;
};

using TemplatePrintSeam = Seam<TemplatePrintSystem, CupsTemplatePrintSystem>;

// The least border kept on a printed sheet, whatever the queue says it can print: queues of
// borderless printers report none, yet the paper's feed wanders by a millimetre or two.
inline constexpr double leastPrintMargin = 5.0; // mm

// The template as the default printer will get it.
struct PrinterTiling {
    QString printer;
    pattern::Tiling tiling;
};

// Tiles the pattern on the default printer's own paper within its printable area. Throws EPrinter
// when there is no printer, Exception when the pattern does not fit that paper.
PrinterTiling tileForPrinter(const pattern::Pattern& pattern, double overlap);

// Tiles the pattern as tileForPrinter does and prints it, cover first. Returns the tiling
// printed. Throws EPrinter when there is no printer or the job is refused.
pattern::Tiling printTemplate(const pattern::Pattern& pattern, double overlap);

} // namespace vlnokan::templ
