#include "pattern/Tiling.h"

#include "core/Faults.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace vlnokan::pattern {

namespace {

constexpr double rotationStep = 1.0;
// More sheets than this are no template to tape together.
constexpr int mostSheets = 400;
// The grid laid out in the search at most: the pattern leaves some of a grid's sheets empty.
constexpr int gridSearched = 4 * mostSheets;

bool anyMeets(const std::vector<Edge>& lines, const Box& box) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const Edge& edge) { return meetsBox(edge, box); });
}

int cellsNeeded(double length, double area, double overlap) {
    return std::max(1, int(std::ceil((length - overlap) / (area - overlap) - 1e-9)));
}

struct Candidate {
    Pattern pattern;
    bool landscape = false;
    int columns = 0;
    int rows = 0;
    Point origin;
    std::vector<Sheet> sheets;
};

// A sheet is printed when any point of any cut or fold line, taken exactly, lies in its printable
// area: a line that only clips a corner of the sheet is still a line the builder must cut.
Candidate layOut(const Pattern& pattern, const TilingOptions& options, bool landscape) {
    const double pageWidth = landscape ? options.paper.height : options.paper.width;
    const double pageHeight = landscape ? options.paper.width : options.paper.height;
    const double w = pageWidth - 2 * options.margin;
    const double h = pageHeight - 2 * options.margin;
    const double o = options.overlap;
    const Box bounds = pattern.bounds();
    const std::vector<Edge> lines = pattern.lines();
    Candidate c{
        pattern, landscape, cellsNeeded(bounds.width(), w, o), cellsNeeded(bounds.height(), h, o),
        {},      {}};
    // The grid is centred on the pattern.
    const double gridWidth = c.columns * (w - o) + o;
    const double gridHeight = c.rows * (h - o) + o;
    c.origin = {bounds.left - (gridWidth - bounds.width()) / 2,
                bounds.top + (gridHeight - bounds.height()) / 2};
    for (int row = 0; row < c.rows; ++row)
        for (int column = 0; column < c.columns; ++column) {
            const double left = c.origin.x + column * (w - o);
            const double top = c.origin.y - row * (h - o);
            const Box area{left, top - h, left + w, top};
            if (anyMeets(lines, area))
                c.sheets.push_back({column, row, area, sheetLabel(column, row), {}, {}, {}, {}});
        }
    return c;
}

bool better(const Candidate& a, const Candidate& b) {
    if (a.sheets.size() != b.sheets.size())
        return a.sheets.size() < b.sheets.size();
    return a.columns * a.rows < b.columns * b.rows;
}

void linkNeighbours(std::vector<Sheet>& sheets) {
    auto labelAt = [&](int column, int row) -> std::string {
        for (const Sheet& sheet : sheets)
            if (sheet.column == column && sheet.row == row)
                return sheet.label;
        return {};
    };
    for (Sheet& sheet : sheets) {
        sheet.left = labelAt(sheet.column - 1, sheet.row);
        sheet.right = labelAt(sheet.column + 1, sheet.row);
        sheet.above = labelAt(sheet.column, sheet.row - 1);
        sheet.below = labelAt(sheet.column, sheet.row + 1);
    }
}

} // namespace

const std::vector<Paper>& papers() {
    static const std::vector<Paper> all{
        {"A4", 210, 297}, {"A3", 297, 420}, {"Letter", 215.9, 279.4}, {"Legal", 215.9, 355.6}};
    return all;
}

std::optional<Paper> paperNamed(std::string_view name) {
    for (const Paper& paper : papers())
        if (std::equal(name.begin(), name.end(), paper.name.begin(), paper.name.end(),
                       [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
            return paper;
    return std::nullopt;
}

bool linesCross(const Pattern& pattern, const Box& box) {
    return anyMeets(pattern.lines(), box);
}

std::string sheetLabel(int column, int row) {
    std::string letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), char('A' + (n - 1) % 26));
    return letters + std::to_string(row + 1);
}

Tiling Tiling::arrange(const Pattern& pattern, const TilingOptions& options) {
    const double w = options.paper.width - 2 * options.margin;
    const double h = options.paper.height - 2 * options.margin;
    if (!(options.margin >= 0 && options.overlap >= 0 && std::min(w, h) - options.overlap >= 20))
        throw Exception("Okraje a překryv nenechávají na papíře místo");

    const Box bounds = pattern.bounds();
    const int plainGrid = std::min(cellsNeeded(bounds.width(), w, options.overlap) *
                                       cellsNeeded(bounds.height(), h, options.overlap),
                                   cellsNeeded(bounds.width(), h, options.overlap) *
                                       cellsNeeded(bounds.height(), w, options.overlap));
    // The limit counts the sheets printed; a grid far beyond it is refused without the search.
    const auto tooMany = [] {
        return Exception("Výkroj by zabral přes " + std::to_string(mostSheets) +
                         " listů papíru, uložte ho jako SVG nebo DXF");
    };
    if (plainGrid > gridSearched)
        throw tooMany();

    std::optional<Candidate> best;
    for (double degrees = 0; degrees < 180.0; degrees += rotationStep) {
        const Pattern turned = pattern.rotatedBy(degrees);
        for (bool landscape : {true, false}) {
            Candidate candidate = layOut(turned, options, landscape);
            if (!best || better(candidate, *best))
                best = std::move(candidate);
        }
    }

    if (best->sheets.size() > std::size_t(mostSheets))
        throw tooMany();

    Tiling tiling;
    tiling.m_pattern = best->pattern;
    tiling.m_options = options;
    tiling.m_landscape = best->landscape;
    tiling.m_pageWidth = best->landscape ? options.paper.height : options.paper.width;
    tiling.m_pageHeight = best->landscape ? options.paper.width : options.paper.height;
    tiling.m_columns = best->columns;
    tiling.m_rows = best->rows;
    tiling.m_gridOrigin = best->origin;
    tiling.m_sheets = std::move(best->sheets);
    linkNeighbours(tiling.m_sheets);
    return tiling;
}

Box Tiling::grid() const {
    const double o = m_options.overlap;
    const double width = m_columns * (areaWidth() - o) + o;
    const double height = m_rows * (areaHeight() - o) + o;
    return {m_gridOrigin.x, m_gridOrigin.y - height, m_gridOrigin.x + width, m_gridOrigin.y};
}

} // namespace vlnokan::pattern
