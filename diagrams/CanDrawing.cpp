#include "diagrams/DiagramFont.h"
#include "diagrams/Drawings.h"
#include "diagrams/PixelPen.h"

#include <QPainter>

namespace vlnokan {

namespace {

using P = QPoint;
using Pointing = PixelPen::Pointing;

constexpr QRgb black = qRgb(0, 0, 0);

// Sets a label in the bold face with the left edge of its ink at left and its baseline on the
// row baseline, whatever the face's side bearings: the labels sit exactly beside their slots.
void drawLabel(QImage& image, const QString& text, int left, int baseline) {
    const QFont font = diagramLabelFont();
    const QFontMetrics metrics(font);
    const int margin = 4;
    const int scratchBaseline = margin + metrics.ascent();
    QImage scratch(metrics.horizontalAdvance(text) + 2 * margin + metrics.height(),
                   metrics.height() + 2 * margin, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    QPainter painter(&scratch);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(margin, scratchBaseline), text);
    painter.end();

    int inkLeft = scratch.width();
    for (int y = 0; y < scratch.height(); ++y)
        for (int x = 0; x < inkLeft; ++x)
            if (scratch.pixel(x, y) != qRgb(255, 255, 255))
                inkLeft = x;
    // Qt's baseline is the row under the glyphs; the drawing's baseline is their bottom row.
    const QPoint shift(left - inkLeft, baseline - (scratchBaseline - 1));
    PixelPen pen(image, black);
    for (int y = 0; y < scratch.height(); ++y)
        for (int x = 0; x < scratch.width(); ++x)
            if (scratch.pixel(x, y) != qRgb(255, 255, 255))
                pen.point(P(x, y) + shift);
}

void drawCan(PixelPen& pen) {
    pen.lines({// outer wall: top, bottom, closed end
               {P(72, 36), P(328, 36)},
               {P(72, 180), P(328, 180)},
               {P(72, 36), P(72, 180)},
               // inner wall, open at the bottom where the probe passes
               {P(75, 39), P(328, 39)},
               {P(75, 177), P(135, 177)},
               {P(143, 177), P(328, 177)},
               {P(75, 39), P(75, 177)},
               // open end
               {P(328, 36), P(328, 180)}});
}

void drawFunnel(PixelPen& pen) {
    pen.lines({// collars resting on the outer wall, open to the right
               {P(318, 32), P(331, 32)},
               {P(318, 35), P(331, 35)},
               {P(318, 32), P(318, 35)},
               {P(318, 181), P(331, 181)},
               {P(318, 184), P(331, 184)},
               {P(318, 181), P(318, 184)},
               // walls, outer and inner surface
               {P(332, 31), P(429, 10)},
               {P(332, 34), P(429, 13)},
               {P(332, 185), P(429, 206)},
               {P(332, 182), P(429, 203)},
               // mouth
               {P(429, 10), P(429, 206)}});
}

void drawProbeAndConnector(PixelPen& pen) {
    pen.outline(P(138, 157), P(141, 176));
    pen.lines({// base and feed-through
               {P(135, 176), P(143, 176)},
               {P(135, 176), P(135, 180)},
               {P(143, 176), P(143, 180)},
               // flange under the bottom wall
               {P(127, 180), P(127, 184)},
               {P(151, 180), P(151, 184)},
               {P(127, 184), P(151, 184)},
               // connector body with its inner lines
               {P(133, 184), P(133, 194)},
               {P(145, 184), P(145, 194)},
               {P(133, 194), P(145, 194)},
               {P(135, 184), P(135, 194)},
               {P(143, 184), P(143, 194)}});
}

void drawDimensions(PixelPen& pen) {
    // D: the inner diameter, level with the inner wall lines
    pen.lines({{P(27, 39), P(27, 177)}, {P(23, 39), P(30, 39)}, {P(22, 177), P(29, 177)}});
    pen.arrowhead(P(27, 40), Pointing::Up);
    pen.arrowhead(P(27, 176), Pointing::Down);
    // Lg / 4: closed end's inner face to the probe's axis
    pen.lines({{P(75, 138), P(139, 138)}, {P(139, 135), P(139, 142)}});
    pen.arrowhead(P(76, 138), Pointing::Left);
    pen.arrowhead(P(138, 138), Pointing::Right);
    // Lo / 4: inner bottom wall to the probe's top
    pen.lines({{P(160, 157), P(160, 176)}, {P(155, 157), P(162, 157)}});
    pen.arrowhead(P(160, 158), Pointing::Up);
    pen.arrowhead(P(160, 176), Pointing::Down);
    // 3/4 Lg: closed end's inner face to the open end
    pen.lines({{P(75, 213), P(328, 213)}, {P(75, 210), P(75, 217)}, {P(328, 209), P(328, 216)}});
    pen.arrowhead(P(76, 213), Pointing::Left);
    pen.arrowhead(P(327, 213), Pointing::Right);
}

} // namespace

Diagram makeCanDiagram() {
    QImage image(454, 222, QImage::Format_RGB32);
    image.fill(Qt::white);
    PixelPen pen(image, black);
    // The axis first: the walls it crosses stay solid.
    pen.dashedHorizontal(108, 54, 341, 78, {12, 1, 12, 7});
    drawCan(pen);
    drawFunnel(pen);
    drawProbeAndConnector(pen);
    drawDimensions(pen);
    drawLabel(image, QStringLiteral("D"), 6, 114);
    drawLabel(image, QStringLiteral("Lg / 4"), 86, 130);
    drawLabel(image, QStringLiteral("Lo / 4"), 174, 169);
    drawLabel(image, QStringLiteral("3/4 Lg"), 173, 206);
    return Diagram(image, 1);
}

} // namespace vlnokan
