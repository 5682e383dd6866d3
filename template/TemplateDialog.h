#pragma once

#include "calc/Design.h"
#include "pattern/Tiling.h"
#include "template/TemplateFiles.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace vlnokan::templ {

class TemplatePreview;

// The funnel's cutting template at 1:1: paper, overlap, seam strip, sheet thickness and pieces,
// a live preview of the sheets, and buttons to print or save as PDF, SVG or DXF. A fault in a
// button's work goes to the program's one error handler, never back into Qt.
class TemplateDialog final : public QDialog {
    Q_OBJECT

public:
    explicit TemplateDialog(QWidget* parent = nullptr);

    // The antenna of the last Calculate; the preview follows it.
    void setDesign(const Design& design);

    // The layout on the chosen paper, nullopt while the options do not fit the funnel or the
    // paper (SVG and DXF need only the pattern, and stay offered while it can be developed).
    const std::optional<pattern::Tiling>& tiling() const { return m_tiling; }

    QComboBox* paperBox = nullptr;
    QDoubleSpinBox* overlapBox = nullptr;
    QDoubleSpinBox* seamBox = nullptr;
    QDoubleSpinBox* thicknessBox = nullptr;
    QSpinBox* piecesBox = nullptr;
    QLabel* countLabel = nullptr;
    // What "Tisknout" gives: the default printer's own paper and the count of sheets on it, which
    // may differ from the paper chosen for the PDF.
    QLabel* printLabel = nullptr;
    TemplatePreview* preview = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* pdfButton = nullptr;
    QPushButton* svgButton = nullptr;
    QPushButton* dxfButton = nullptr;

private:
    void refresh();
    QString printerText() const;
    void print();
    void save(FileFormat format);
    pattern::Options patternOptions() const;

    Design m_design;
    std::optional<pattern::Pattern> m_pattern;
    std::optional<pattern::Tiling> m_tiling;
};

} // namespace vlnokan::templ
