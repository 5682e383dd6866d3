#include "drawing/Drawings.h"
#include "drawing/PixelPen.h"

namespace vlnokan::drawing {

namespace {

using P = Point;
using Pointing = PixelPen::Pointing;

// Every arc is centred on the apex of the funnel's cone.
constexpr P apex{149, 4};

void drawSector(PixelPen& pen) {
    pen.arcBelow(apex, 62, P{111, 54}, P{188, 54});
    pen.arcBelow(apex, 222, P{10, 177}, P{289, 177});
    pen.lines({{P{110, 54}, P{10, 177}}, {P{189, 54}, P{289, 177}}});
}

void drawRadii(PixelPen& pen) {
    // r, straight down from the apex onto the inner arc
    pen.line(P{149, 6}, P{149, 65});
    pen.arrowhead(P{149, 65}, Pointing::Down);
    // R, to just inside the outer arc, with an open V for its head
    pen.lines({{P{149, 6}, P{61, 206}}, {P{61, 206}, P{61, 201}}, {P{61, 206}, P{67, 206}}});
}

void drawSectorAngle(PixelPen& pen) {
    pen.arcBelow(apex, 181, P{35, 146}, P{263, 145});
    pen.lines({{P{35, 146}, P{41, 146}},
               {P{36, 146}, P{36, 150}},
               {P{258, 145}, P{263, 145}},
               {P{262, 145}, P{262, 149}}});
}

void drawChordDimensions(PixelPen& pen) {
    pen.lines({{P{110, 27}, P{189, 27}}, {P{110, 24}, P{110, 53}}, {P{189, 24}, P{189, 53}}});
    pen.arrowhead(P{111, 27}, Pointing::Left);
    pen.arrowhead(P{188, 27}, Pointing::Right);
    pen.lines({{P{10, 250}, P{289, 250}}, {P{10, 178}, P{10, 250}}, {P{289, 178}, P{289, 250}}});
    pen.arrowhead(P{11, 250}, Pointing::Left);
    pen.arrowhead(P{288, 250}, Pointing::Right);
}

void drawHeights(PixelPen& pen) {
    pen.lines({{P{153, 4}, P{298, 4}},
               {P{190, 54}, P{298, 54}},
               {P{290, 177}, P{298, 177}},
               {P{295, 4}, P{295, 177}}});
    pen.arrowhead(P{295, 5}, Pointing::Up);
    pen.arrowhead(P{295, 53}, Pointing::Down);
    pen.arrowhead(P{295, 55}, Pointing::Up);
    pen.arrowhead(P{295, 176}, Pointing::Down);
}

} // namespace

Diagram makeFunnelDiagram(const TextRenderer& renderer) {
    Diagram diagram({299, 257}, 4, renderer);
    PixelPen pen(diagram, black);
    drawSector(pen);
    drawRadii(pen);
    drawSectorAngle(pen);
    drawChordDimensions(pen);
    drawHeights(pen);

    // Where lines cross, cyan lies over black and red over both.
    pen.setColour(cyan);
    pen.lines({{P{146, 4}, P{152, 4}}, {P{149, 1}, P{149, 5}}, {P{149, 67}, P{149, 230}}});
    pen.setColour(red);
    pen.lines({{P{110, 54}, P{189, 54}}, {P{10, 177}, P{289, 177}}});

    // Except: the sector-angle arc over the axis, and the inner arc's ends within its chord.
    pen.setColour(black);
    pen.point(P{149, 185});
    pen.point(P{111, 54});
    pen.point(P{188, 54});
    return diagram;
}

} // namespace vlnokan::drawing
