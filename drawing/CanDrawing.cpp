#include "drawing/Drawings.h"
#include "drawing/PixelPen.h"

namespace vlnokan::drawing {

namespace {

using P = Point;
using Pointing = PixelPen::Pointing;

// Sets a label in the bold face with the left edge of its ink at left and the bottom row of its
// glyphs on the row baseline, whatever the face's side bearings: the labels sit exactly beside
// their slots.
void drawLabel(Diagram& diagram, std::string_view text, int left, int baseline) {
    const TextInk ink = diagram.renderer().render(text, Face{FaceKind::Label, 96});
    int inkLeft = ink.inkArea.right();
    for (int y = ink.inkArea.y; y < ink.inkArea.bottom(); ++y)
        for (int x = ink.inkArea.x; x < inkLeft; ++x)
            if (ink.inkAt(x, y))
                inkLeft = x;
    stampInk(diagram, ink, left - inkLeft, baseline + 1, black);
}

void drawCan(PixelPen& pen) {
    pen.lines({// outer wall: top, bottom, closed end
               {P{72, 36}, P{328, 36}},
               {P{72, 180}, P{328, 180}},
               {P{72, 36}, P{72, 180}},
               // inner wall, open at the bottom where the probe passes
               {P{75, 39}, P{328, 39}},
               {P{75, 177}, P{135, 177}},
               {P{143, 177}, P{328, 177}},
               {P{75, 39}, P{75, 177}},
               // open end
               {P{328, 36}, P{328, 180}}});
}

void drawFunnel(PixelPen& pen) {
    pen.lines({// collars resting on the outer wall, open to the right
               {P{318, 32}, P{331, 32}},
               {P{318, 35}, P{331, 35}},
               {P{318, 32}, P{318, 35}},
               {P{318, 181}, P{331, 181}},
               {P{318, 184}, P{331, 184}},
               {P{318, 181}, P{318, 184}},
               // walls, outer and inner surface
               {P{332, 31}, P{429, 10}},
               {P{332, 34}, P{429, 13}},
               {P{332, 185}, P{429, 206}},
               {P{332, 182}, P{429, 203}},
               // mouth
               {P{429, 10}, P{429, 206}}});
}

void drawProbeAndConnector(PixelPen& pen) {
    pen.outline(P{138, 157}, P{141, 176});
    pen.lines({// base and feed-through
               {P{135, 176}, P{143, 176}},
               {P{135, 176}, P{135, 180}},
               {P{143, 176}, P{143, 180}},
               // flange under the bottom wall
               {P{127, 180}, P{127, 184}},
               {P{151, 180}, P{151, 184}},
               {P{127, 184}, P{151, 184}},
               // connector body with its inner lines
               {P{133, 184}, P{133, 194}},
               {P{145, 184}, P{145, 194}},
               {P{133, 194}, P{145, 194}},
               {P{135, 184}, P{135, 194}},
               {P{143, 184}, P{143, 194}}});
}

void drawDimensions(PixelPen& pen) {
    // D: the inner diameter, level with the inner wall lines
    pen.lines({{P{27, 39}, P{27, 177}}, {P{23, 39}, P{30, 39}}, {P{22, 177}, P{29, 177}}});
    pen.arrowhead(P{27, 40}, Pointing::Up);
    pen.arrowhead(P{27, 176}, Pointing::Down);
    // Lg / 4: closed end's inner face to the probe's axis
    pen.lines({{P{75, 138}, P{139, 138}}, {P{139, 135}, P{139, 142}}});
    pen.arrowhead(P{76, 138}, Pointing::Left);
    pen.arrowhead(P{138, 138}, Pointing::Right);
    // Lo / 4: inner bottom wall to the probe's top
    pen.lines({{P{160, 157}, P{160, 176}}, {P{155, 157}, P{162, 157}}});
    pen.arrowhead(P{160, 158}, Pointing::Up);
    pen.arrowhead(P{160, 176}, Pointing::Down);
    // 3/4 Lg: closed end's inner face to the open end
    pen.lines({{P{75, 213}, P{328, 213}}, {P{75, 210}, P{75, 217}}, {P{328, 209}, P{328, 216}}});
    pen.arrowhead(P{76, 213}, Pointing::Left);
    pen.arrowhead(P{327, 213}, Pointing::Right);
}

} // namespace

Diagram makeCanDiagram(const TextRenderer& renderer) {
    Diagram diagram({454, 222}, 1, renderer);
    PixelPen pen(diagram, black);
    // The axis first: the walls it crosses stay solid.
    pen.dashedHorizontal(108, 54, 341, 78, {12, 1, 12, 7});
    drawCan(pen);
    drawFunnel(pen);
    drawProbeAndConnector(pen);
    drawDimensions(pen);
    drawLabel(diagram, "D", 6, 114);
    drawLabel(diagram, "Lg / 4", 86, 130);
    drawLabel(diagram, "Lo / 4", 174, 169);
    drawLabel(diagram, "3/4 Lg", 173, 206);
    return diagram;
}

} // namespace vlnokan::drawing
