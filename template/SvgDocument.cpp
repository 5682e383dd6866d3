#include "template/TemplateDocument.h"

#include <QString>

#include <cmath>

namespace vlnokan::templ {

namespace {

// Qt's SVG generator turns arcs into Bézier curves; a cutter wants the true circle, so the
// paths are written here with SVG's own arc command.
constexpr double border = 5.0;

QString number(double value) {
    return QString::number(value, 'f', 4);
}

struct Canvas {
    double left = 0;
    double top = 0;
    QString point(pattern::Point p) const { return number(p.x - left) + ' ' + number(top - p.y); }
};

bool near(pattern::Point a, pattern::Point b) {
    return std::hypot(a.x - b.x, a.y - b.y) < 1e-6;
}

// One closed path along the piece's edges, each taken in whichever direction continues it.
QString contour(const pattern::Piece& piece, const Canvas& canvas) {
    QString path;
    pattern::Point at;
    bool started = false;
    for (const pattern::Edge& edge : piece.cut) {
        pattern::Point from;
        pattern::Point to;
        if (const auto* line = std::get_if<pattern::Line>(&edge)) {
            from = line->from;
            to = line->to;
        } else {
            from = std::get<pattern::Arc>(edge).start();
            to = std::get<pattern::Arc>(edge).end();
        }
        const bool forward = !started || near(from, at);
        if (!started) {
            path += QStringLiteral("M ") + canvas.point(from);
            started = true;
        }
        const pattern::Point target = forward ? to : from;
        if (const auto* arc = std::get_if<pattern::Arc>(&edge)) {
            // Counter-clockwise with y upward is the negative sweep of SVG, whose y points down.
            const QString large = arc->sweepDeg > 180 ? QStringLiteral("1") : QStringLiteral("0");
            const QString sweep = forward ? QStringLiteral("0") : QStringLiteral("1");
            path += QStringLiteral(" A %1 %1 0 %2 %3 %4")
                        .arg(number(arc->radius), large, sweep, canvas.point(target));
        } else {
            path += QStringLiteral(" L ") + canvas.point(target);
        }
        at = target;
    }
    return path + QStringLiteral(" Z");
}

} // namespace

QByteArray svgOf(const pattern::Pattern& pattern) {
    const pattern::Box box = pattern.bounds();
    const Canvas canvas{box.left - border, box.top + border};
    const double width = box.width() + 2 * border;
    const double height = box.height() + 2 * border;
    QString svg =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1mm\" "
                       "height=\"%2mm\" viewBox=\"0 0 %1 %2\">\n"
                       "<title>Šablona nálevky 1:1</title>\n"
                       "<g id=\"rez\" fill=\"none\" stroke=\"#000000\" stroke-width=\"0.25\">\n")
            .arg(number(width), number(height));
    for (const pattern::Piece& piece : pattern.pieces())
        svg += QStringLiteral("<path d=\"%1\"/>\n").arg(contour(piece, canvas));
    svg += QStringLiteral(
        "</g>\n<g id=\"ohyb\" fill=\"none\" stroke=\"#0000ff\" stroke-width=\"0.25\" "
        "stroke-dasharray=\"3 2\">\n");
    for (const pattern::Line& fold : pattern.foldLines())
        svg += QStringLiteral("<path d=\"M %1 L %2\"/>\n")
                   .arg(canvas.point(fold.from), canvas.point(fold.to));
    svg += QStringLiteral("</g>\n</svg>\n");
    return svg.toUtf8();
}

} // namespace vlnokan::templ
