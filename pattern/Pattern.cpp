#include "pattern/Pattern.h"

#include "core/Faults.h"

#include <cmath>
#include <numbers>

namespace vlnokan::pattern {

namespace {

constexpr double pi = std::numbers::pi;
constexpr double degreesPerRadian = 180.0 / pi;
// Room between neighbouring pieces of the fan, at the inner rim, in mm.
constexpr double pieceGap = 5.0;

Point polar(double radius, double degrees) {
    return {radius * std::cos(degrees / degreesPerRadian),
            radius * std::sin(degrees / degreesPerRadian)};
}

// One piece from angle 0 to span, the strip beyond span: counter-clockwise along the plain edge,
// the outer rim, the strip's outer edge and back along the inner rim.
Piece makePiece(double r, double R, double span, double seam) {
    const double outerExtra = seam > 0 ? std::asin(seam / R) * degreesPerRadian : 0.0;
    const double innerExtra = seam > 0 ? std::asin(seam / r) * degreesPerRadian : 0.0;
    Piece piece;
    piece.cut.push_back(Line{polar(r, 0), polar(R, 0)});
    piece.cut.push_back(Arc{{0, 0}, R, 0, span + outerExtra});
    piece.cut.push_back(Line{polar(R, span + outerExtra), polar(r, span + innerExtra)});
    piece.cut.push_back(Arc{{0, 0}, r, 0, span + innerExtra});
    if (seam > 0)
        piece.fold = Line{polar(r, span), polar(R, span)};
    return piece;
}

Piece rotatedPiece(const Piece& piece, double degrees) {
    Piece turned;
    for (const Edge& edge : piece.cut)
        turned.cut.push_back(rotated(edge, degrees));
    if (piece.fold)
        turned.fold = std::get<Line>(rotated(*piece.fold, degrees));
    return turned;
}

} // namespace

Pattern Pattern::develop(const Design& design, const Options& options) {
    if (!design.funnelKnown)
        throw Exception("Nálevka není spočítaná");
    if (!(options.pieces >= 1 && options.pieces <= 12))
        throw Exception("Počet dílů musí být 1 až 12");
    if (!(options.seam >= 0 && options.thickness >= 0))
        throw Exception("Pás pro spoj a tloušťka plechu nesmějí být záporné");

    const double halfAngle = double(design.angle) / 2.0 / degreesPerRadian;
    const double s = std::sin(halfAngle);
    // The inner surface keeps the diameters D and Du: the mid-surface lies half a thickness
    // further out along the wall's normal.
    const double grow = options.thickness * std::cos(halfAngle);
    Pattern pattern;
    pattern.m_design = design;
    pattern.m_options = options;
    pattern.m_r = (double(design.diameter) + grow) / (2.0 * s);
    pattern.m_R = (double(design.mouth) + grow) / (2.0 * s);
    pattern.m_theta = 360.0 * s;
    if (!(pattern.m_r > 0 && pattern.m_R > pattern.m_r && std::isfinite(pattern.m_R)))
        throw Exception("Nálevku nelze rozvinout");
    if (options.seam >= pattern.m_r)
        throw Exception("Pás pro spoj je širší než vnitřní poloměr výkroje");

    const double span = pattern.pieceDeg();
    const double step =
        span + std::asin(std::min(1.0, (options.seam + pieceGap) / pattern.m_r)) * degreesPerRadian;
    if (options.pieces > 1 && step * options.pieces > 360.0)
        throw Exception("Díly se vedle sebe nevejdou, zvolte méně dílů");
    const Piece first = makePiece(pattern.m_r, pattern.m_R, span, options.seam);
    // The fan hangs from the apex, symmetric about the downward vertical, like the drawing.
    const double fanMiddle = ((options.pieces - 1) * step + span) / 2.0;
    for (int i = 0; i < options.pieces; ++i)
        pattern.m_pieces.push_back(rotatedPiece(first, i * step - 90.0 - fanMiddle));
    return pattern;
}

double Pattern::innerArc() const {
    return m_r * m_theta / degreesPerRadian;
}
double Pattern::outerArc() const {
    return m_R * m_theta / degreesPerRadian;
}
double Pattern::innerChord() const {
    return 2.0 * m_r * std::sin(m_theta / 2.0 / degreesPerRadian);
}
double Pattern::outerChord() const {
    return 2.0 * m_R * std::sin(m_theta / 2.0 / degreesPerRadian);
}

std::vector<Edge> Pattern::cutEdges() const {
    std::vector<Edge> edges;
    for (const Piece& piece : m_pieces)
        edges.insert(edges.end(), piece.cut.begin(), piece.cut.end());
    return edges;
}

std::vector<Line> Pattern::foldLines() const {
    std::vector<Line> lines;
    for (const Piece& piece : m_pieces)
        if (piece.fold)
            lines.push_back(*piece.fold);
    return lines;
}

std::vector<Edge> Pattern::lines() const {
    std::vector<Edge> edges = cutEdges();
    for (const Line& fold : foldLines())
        edges.push_back(fold);
    return edges;
}

Pattern Pattern::rotatedBy(double degrees) const {
    Pattern turned = *this;
    turned.m_rotation = m_rotation + degrees;
    for (Piece& piece : turned.m_pieces)
        piece = rotatedPiece(piece, degrees);
    return turned;
}

} // namespace vlnokan::pattern
