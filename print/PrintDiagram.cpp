#include "print/PrintDiagram.h"

#include "core/Faults.h"
#include "diagrams/DiagramView.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace vlnokan {

void printDiagram(const Diagram& picture, int windowPixelsPerInch) {
    if (QPrinterInfo::defaultPrinter().isNull())
        throw EPrinter("There is no default printer currently selected");
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    QPainter painter;
    if (!painter.begin(&printer))
        throw EPrinter("Printer selected is not valid");
    const int sx = std::max(1, printer.logicalDpiX() / windowPixelsPerInch);
    const int sy = std::max(1, printer.logicalDpiY() / windowPixelsPerInch);
    paintTransparent(painter, QPoint(0, 0), picture, sx, sy);
    painter.end();
}

} // namespace vlnokan
