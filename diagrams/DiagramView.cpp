#include "diagrams/DiagramView.h"

#include "core/Guard.h"

#include <QPainter>

namespace vlnokan {

void paintTransparent(QPainter& painter, QPoint origin, const Diagram& diagram, int scaleX,
                      int scaleY) {
    paintTransparent(painter, origin, maskedImage(diagram), scaleX, scaleY);
}

void paintTransparent(QPainter& painter, QPoint origin, const QImage& masked, int scaleX,
                      int scaleY) {
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
        if (m_masked.isNull() || m_maskedRevision != m_diagram.revision()) {
            m_masked = maskedImage(m_diagram);
            m_maskedRevision = m_diagram.revision();
        }
        QPainter painter(this);
        paintTransparent(painter, QPoint(0, 0), m_masked);
    });
}

} // namespace vlnokan
