#pragma once

#include "diagrams/Diagram.h"

#include <QWidget>

#include <cstdint>

namespace vlnokan {

// Paints a drawing at origin with every pixel of its transparent colour left out; each drawing
// pixel becomes a solid block of scaleX × scaleY target pixels (1 × 1 on screen, more on paper),
// never smoothed, so the result is exact on a printer too.
void paintTransparent(QPainter& painter, QPoint origin, const Diagram& diagram, int scaleX = 1,
                      int scaleY = 1);
void paintTransparent(QPainter& painter, QPoint origin, const QImage& masked, int scaleX = 1,
                      int scaleY = 1);

// A picture control (Image1, Image2): owns its drawing and shows it at its natural size at the
// control's top-left, white transparent over the window's background.
class DiagramView final : public QWidget {
public:
    explicit DiagramView(Diagram diagram, QWidget* parent = nullptr);

    Diagram& diagram() { return m_diagram; }
    const Diagram& diagram() const { return m_diagram; }

    QSize sizeHint() const override { return toQSize(m_diagram.size()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Diagram m_diagram;
    // The masked picture, made again whenever the drawing has changed since.
    QImage m_masked;
    std::uint64_t m_maskedRevision = 0;
};

} // namespace vlnokan
