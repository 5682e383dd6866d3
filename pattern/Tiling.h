#pragma once

#include "pattern/Pattern.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vlnokan::pattern {

// A paper size, portrait, in millimetres.
struct Paper {
    std::string name;
    double width = 0;
    double height = 0;
};

// A4, A3, Letter or Legal (case ignored); nullopt for any other name.
std::optional<Paper> paperNamed(std::string_view name);
const std::vector<Paper>& papers();

struct TilingOptions {
    Paper paper = {"A4", 210, 297};
    double margin = 5;   // mm of each sheet's edge left unprinted
    double overlap = 10; // mm both neighbours carry

    friend bool operator==(const TilingOptions&, const TilingOptions&) = default;
};

// One sheet of the template: where its printable area lies on the pattern.
struct Sheet {
    int column = 0; // 0 = A
    int row = 0;    // 0 = 1, from the top
    Box area;       // pattern millimetres seen in the printable area
    std::string label;
    // Labels of the neighbours that are printed too, empty where there is none.
    std::string left, right, above, below;
};

// Whether any cut or fold line of the pattern passes through the box (its inside does not count).
bool linesCross(const Pattern& pattern, const Box& box);

// The column letter and row number: A1, B1, ... Z1, AA1.
std::string sheetLabel(int column, int row);

// The pattern laid on a grid of sheets: the paper's orientation and the pattern's rotation that
// need the fewest sheets; a sheet is printed only when a cut or fold line runs through its
// printable area (sheets wholly inside or outside a piece carry nothing to cut).
class Tiling final {
public:
    // Throws Exception when the margins and overlap leave no room on the paper, or when the
    // pattern would need more than 400 sheets.
    static Tiling arrange(const Pattern& pattern, const TilingOptions& options);

    const Pattern& pattern() const { return m_pattern; } // turned as laid out
    const TilingOptions& options() const { return m_options; }
    bool landscape() const { return m_landscape; }
    double pageWidth() const { return m_pageWidth; } // mm, as the sheet lies
    double pageHeight() const { return m_pageHeight; }
    double areaWidth() const { return m_pageWidth - 2 * m_options.margin; }
    double areaHeight() const { return m_pageHeight - 2 * m_options.margin; }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    // The pattern millimetres the whole grid covers.
    Box grid() const;
    const std::vector<Sheet>& sheets() const { return m_sheets; }

private:
    Pattern m_pattern;
    TilingOptions m_options;
    bool m_landscape = false;
    double m_pageWidth = 0;
    double m_pageHeight = 0;
    int m_columns = 0;
    int m_rows = 0;
    Point m_gridOrigin; // top-left corner of the grid, pattern mm
    std::vector<Sheet> m_sheets;
};

} // namespace vlnokan::pattern
