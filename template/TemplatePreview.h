#pragma once

#include "pattern/Tiling.h"

#include <QWidget>

#include <optional>

namespace vlnokan::templ {

// How the pattern falls onto the sheets: the grid of printed sheets with their labels and the
// pattern's lines, fitted into the widget.
class TemplatePreview final : public QWidget {
    Q_OBJECT

public:
    explicit TemplatePreview(QWidget* parent = nullptr);

    void setTiling(std::optional<pattern::Tiling> tiling);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<pattern::Tiling> m_tiling;
};

} // namespace vlnokan::templ
