#include "print/PrintSystem.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace vlnokan {

namespace {

// A printer driven by Qt alone: the page goes to the system's spooler when the painter ends.
class QtPrinter final : public PrinterDevice {
public:
    explicit QtPrinter(const QPrinterInfo& info) : m_printer(info, QPrinter::HighResolution) {}

    bool valid() const { return m_printer.isValid(); }
    int dotsPerInchX() const override { return m_printer.logicalDpiX(); }
    int dotsPerInchY() const override { return m_printer.logicalDpiY(); }

    QPaintDevice* startDocument(const QString& name) override {
        // The printer's printable area, without Qt's own margins of 10 points inside it.
        QPageLayout layout = m_printer.pageLayout();
        layout.setMargins(layout.minimumMargins());
        m_printer.setPageLayout(layout);
        m_printer.setFullPage(false);
        m_printer.setDocName(name);
        return &m_printer;
    }

    bool sendDocument() override { return m_printer.printerState() != QPrinter::Error; }

private:
    QPrinter m_printer;
};

} // namespace

QString QtPrintSystem::defaultPrinter() {
    return QPrinterInfo::defaultPrinterName();
}

std::unique_ptr<PrinterDevice> QtPrintSystem::open(const QString& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return nullptr;
    auto printer = std::make_unique<QtPrinter>(info);
    if (!printer->valid())
        return nullptr;
    return printer;
}

} // namespace vlnokan
