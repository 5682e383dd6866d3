#pragma once

#include "pattern/Tiling.h"
#include "template/SheetPainter.h"

#include <QByteArray>

class QIODevice;

namespace vlnokan::templ {

// How pages of sheets laid landscape go out: as landscape pages (files), or turned a quarter
// clockwise onto portrait pages, the way the paper lies in a printer's tray.
enum class PageTurn { AsLaid, Portrait };

// The template as PDF: the cover first, then one page per sheet, each page as large as the
// paper and drawn in true millimetres. False when the device cannot be written.
bool writePdf(QIODevice& device, const pattern::Tiling& tiling,
              SheetContent content = SheetContent::Full, bool withCover = true,
              PageTurn turn = PageTurn::AsLaid);

// The whole pattern on one canvas at true size, arcs as SVG arcs, with a 5 mm border.
QByteArray svgOf(const pattern::Pattern& pattern);

// The pattern for cutting machines: LINE and ARC entities in millimetres, the closed cut contour
// on the layer REZ and the fold lines on OHYB. Empty when dxflib cannot write its file.
QByteArray dxfOf(const pattern::Pattern& pattern);

} // namespace vlnokan::templ
