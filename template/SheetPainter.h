#pragma once

#include "pattern/Tiling.h"

#include <QRectF>
#include <QString>
#include <QTransform>

#include <vector>

class QPainter;

namespace vlnokan::templ {

// What a pattern sheet carries: everything, or the pattern's lines alone (for comparing sheets
// with the pattern drawn whole).
enum class SheetContent { Full, LinesOnly };

// All painting here is in page millimetres, origin at the page's top-left corner, y downward;
// the painter's transform must map millimetres to the device.

// The cut lines solid, the fold lines dashed, through the mapping from pattern to page.
// With screenPen the lines are 1.5 pixels wide whatever the scale (for small pictures on screen).
void paintPatternLines(QPainter& painter, const pattern::Pattern& pattern, const QTransform& toPage,
                       bool screenPen = false);

// One sheet of the tiling, as large as the paper.
void paintSheet(QPainter& painter, const pattern::Tiling& tiling, const pattern::Sheet& sheet,
                SheetContent content = SheetContent::Full);

// The first page: the assembly map, the figures and how to put the template together.
void paintCover(QPainter& painter, const pattern::Tiling& tiling);

// Where the 100 mm scale bar lies on a pattern sheet, in page millimetres: in a corner clear of
// the pattern's lines where there is one. Its height covers the ticks, not the texts below.
QRectF scaleBarRect(const pattern::Tiling& tiling, const pattern::Sheet& sheet);

// A text on a pattern sheet: the sheet's own label and the neighbours' names, each placed clear
// of the cut and fold lines, of the scale bar and of one another.
struct SheetText {
    QString text;
    QRectF box;    // page millimetres
    double height; // of the font, mm
};
std::vector<SheetText> sheetTexts(const pattern::Tiling& tiling, const pattern::Sheet& sheet);

// Where the upright 100 mm bar lies on a pattern sheet, in page millimetres (its 100 mm strip and
// ticks), clear of the lines, the horizontal bar and the texts: a printer that scales one axis
// more than the other is found by measuring both.
QRectF uprightBarRect(const pattern::Tiling& tiling, const pattern::Sheet& sheet);

// The mapping from pattern millimetres to a sheet's page.
QTransform sheetTransform(const pattern::Tiling& tiling, const pattern::Sheet& sheet);

// Scales a painter whose device has dotsPerInch to page millimetres.
void useMillimetres(QPainter& painter, double dotsPerInch);

} // namespace vlnokan::templ
