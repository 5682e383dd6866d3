#pragma once

#include "core/Seam.h"

#include <QString>

#include <memory>

class QPaintDevice;

namespace vlnokan {

// One printer, opened for documents of one page each.
class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;
    // The printer's horizontal and vertical resolution in dots per inch.
    virtual int dotsPerInchX() const = 0;
    virtual int dotsPerInchY() const = 0;
    // Starts a document of one page named name: the surface to draw the page on, in printer
    // dots with (0, 0) at the top-left of the printable area; null when it cannot be started.
    virtual QPaintDevice* startDocument(const QString& name) = 0;
    // Hands the drawn page to the print system. The window goes on handling its events
    // meanwhile. False when the print system did not take the job.
    virtual bool sendDocument() = 0;
    // Why the print system did not take the last job, in its own words; empty when it gave no
    // reason.
    virtual QString sendFailure() const { return {}; }
};

// The system's printers.
class PrintSystem {
public:
    virtual ~PrintSystem() = default;
    // The default printer's name, empty when none is set; EOSError when the print system cannot
    // be asked at all.
    virtual QString defaultPrinter() = 0;
    // The named printer opened for drawing; null when it cannot be opened.
    virtual std::unique_ptr<PrinterDevice> open(const QString& name) = 0;
};

#if VLNOKAN_PRINT_THROUGH_CUPS
// The printers of CUPS, through Qt's print support and the lp command (Linux and other Unix).
class CupsPrintSystem final : public PrintSystem {
public:
    QString defaultPrinter() override;
    std::unique_ptr<PrinterDevice> open(const QString& name) override;
};
#endif

// The printers as Qt's print support alone sees them, for systems without CUPS.
class QtPrintSystem final : public PrintSystem {
public:
    QString defaultPrinter() override;
    std::unique_ptr<PrinterDevice> open(const QString& name) override;
};

#if VLNOKAN_PRINT_THROUGH_CUPS
using PrintSystemSeam = Seam<PrintSystem, CupsPrintSystem>;
#else
using PrintSystemSeam = Seam<PrintSystem, QtPrintSystem>;
#endif

} // namespace vlnokan
