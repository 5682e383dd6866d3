#include "print/PrintDiagram.h"

#include "core/Checked.h"
#include "core/Faults.h"
#include "diagrams/DiagramView.h"
#include "print/Printer.h"

#include <algorithm>
#include <cstdint>
#include <exception>

namespace vlnokan {

namespace {

// Ends the open document when a fault leaves the print command early, so the page goes out as
// far as it was drawn before the fault reaches the error box.
class EndOnFault final {
public:
    explicit EndOnFault(TPrinter& printer) : m_printer(printer) {}
    ~EndOnFault() {
        if (std::uncaught_exceptions() > m_faults)
            m_printer.endDocAfterFault();
    }
    EndOnFault(const EndOnFault&) = delete;
    EndOnFault& operator=(const EndOnFault&) = delete;

private:
    TPrinter& m_printer;
    int m_faults = std::uncaught_exceptions();
};

} // namespace

PrintScale printScale(int printerDpiX, int printerDpiY, int windowPixelsPerInch) {
    // A printer coarser than the screen still prints each pixel as one dot instead of nothing.
    const int divisor = std::max(1, windowPixelsPerInch);
    return {std::max(1, printerDpiX / divisor), std::max(1, printerDpiY / divisor)};
}

QSize printedSize(QSize picture, PrintScale scale) {
    const std::int32_t height = checked::product(picture.height(), scale.y);
    const std::int32_t width = checked::product(picture.width(), scale.x);
    return {width, height};
}

void printDiagram(const Diagram& picture, int windowPixelsPerInch) {
    TPrinter& printer = TPrinter::shared();
    printer.beginDoc();
    {
        EndOnFault guard(printer);
        const PrintScale scale =
            printScale(printer.dotsPerInchX(), printer.dotsPerInchY(), windowPixelsPerInch);
        printedSize(toQSize(picture.size()), scale);
        paintTransparent(printer.canvas(), QPoint(0, 0), picture, scale.x, scale.y);
    }
    printer.endDoc();
}

} // namespace vlnokan
