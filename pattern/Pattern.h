#pragma once

#include "calc/Design.h"
#include "pattern/Outline.h"

#include <optional>
#include <vector>

namespace vlnokan::pattern {

// How the builder wants the funnel cut.
struct Options {
    double seam = 10;     // mm: strip along one straight edge, overlapped and soldered; 0: none
    double thickness = 0; // mm: the sheet metal; the pattern is drawn on its mid-surface
    int pieces = 1;       // the sector cut into this many equal pieces, each with its own strip

    friend bool operator==(const Options&, const Options&) = default;
};

// One piece to cut out: its closed contour, and the fold line of its seam strip (none without a
// strip).
struct Piece {
    std::vector<Edge> cut;
    std::optional<Line> fold;
};

// The funnel (a frustum of a cone) developed flat at full size: an annular sector about the
// cone's apex, in millimetres and double precision, from the design's final entries.
class Pattern final {
public:
    // Throws Exception with the reason when the options do not fit the funnel.
    static Pattern develop(const Design& design, const Options& options);

    const Design& design() const { return m_design; }
    const Options& options() const { return m_options; }
    double innerRadius() const { return m_r; } // r, on the sheet's mid-surface
    double outerRadius() const { return m_R; } // R
    double sectorDeg() const { return m_theta; }
    double pieceDeg() const { return m_theta / m_options.pieces; }
    // Rolled up: the circumferences of the mid-surface at both rims.
    double innerArc() const;
    double outerArc() const;
    double innerChord() const;
    double outerChord() const;

    // The pieces as they lie on the template: a fan, the pieces a little apart so that each
    // strip has room, turned by the layout's rotation.
    const std::vector<Piece>& pieces() const { return m_pieces; }
    std::vector<Edge> cutEdges() const;
    std::vector<Line> foldLines() const;
    // Every line drawn on the template: the cut edges, then the fold lines.
    std::vector<Edge> lines() const;
    Box bounds() const { return boundingBox(cutEdges()); }

    // The same pattern turned about the apex.
    Pattern rotatedBy(double degrees) const;
    double rotation() const { return m_rotation; }

private:
    Design m_design;
    Options m_options;
    double m_r = 0;
    double m_R = 0;
    double m_theta = 0;
    double m_rotation = 0;
    std::vector<Piece> m_pieces;
};

} // namespace vlnokan::pattern
