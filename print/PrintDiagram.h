#pragma once

#include "diagrams/Diagram.h"

#include <QSize>

namespace vlnokan {

// Printer dots per drawing pixel on each axis.
struct PrintScale {
    int x = 1;
    int y = 1;
};

// The whole number of printer dots nearest below one window pixel on each axis, at least 1.
PrintScale printScale(int printerDpiX, int printerDpiY, int windowPixelsPerInch);
// The printed size of a picture in dots; EIntOverflow when a side leaves the 32-bit range (the
// height is worked out first).
QSize printedSize(QSize picture, PrintScale scale);

// Prints a drawing as it now stands, figures included, on one page of the default printer, at
// the top-left of the printable area, each drawing pixel a block of whole printer dots
// (printer dpi / window dpi on each axis, at least 1); white is left as paper. Faults: EPrinter,
// EOSError, EIntOverflow.
void printDiagram(const Diagram& picture, int windowPixelsPerInch);

} // namespace vlnokan
