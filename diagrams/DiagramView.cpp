#include "diagrams/DiagramView.h"

#include "core/Guard.h"

#include <QPainter>

namespace vlnokan {

void paintTransparent(QPainter& painter, QPoint origin, const Diagram& diagram, int scaleX,
                      int scaleY) {
    const QImage& masked = diagram.masked();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.drawImage(QRect(origin, QSize(masked.width() * scaleX, masked.height() * scaleY)),
                      masked);
    painter.restore();
}

DiagramView::DiagramView(Diagram diagram, QWidget* parent)
    : QWidget(parent), m_diagram(std::move(diagram)) {
    m_diagram.setChangedHandler([this] { update(); });
}

void DiagramView::paintEvent(QPaintEvent*) {
    guarded([this] {
        QPainter painter(this);
        paintTransparent(painter, QPoint(0, 0), m_diagram);
    });
}

} // namespace vlnokan
