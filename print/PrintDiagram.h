#pragma once

#include "diagrams/Diagram.h"

namespace vlnokan {

// Prints a drawing as it now stands, figures included, on one page of the default printer, at
// the top-left of the printable area, each drawing pixel a block of whole printer dots
// (printer dpi / window dpi on each axis); white is left as paper. Faults: EPrinter, EOSError,
// EIntOverflow.
void printDiagram(const Diagram& picture, int windowPixelsPerInch);

} // namespace vlnokan
