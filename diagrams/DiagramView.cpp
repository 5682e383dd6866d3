#include "diagrams/DiagramView.h"

#include <QPainter>

namespace vlnokan {

void paintTransparent(QPainter& painter, QPoint origin, const Diagram& diagram, int scaleX,
                      int scaleY) {
    const QImage& pixels = diagram.pixels();
    QImage masked = pixels.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = diagram.transparentColour();
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (transparent & 0xFFFFFF))
                line[x] = 0;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.drawImage(QRect(origin, QSize(pixels.width() * scaleX, pixels.height() * scaleY)),
                      masked);
    painter.restore();
}

DiagramView::DiagramView(Diagram diagram, QWidget* parent)
    : QWidget(parent), m_diagram(std::move(diagram)) {
    m_diagram.setChangedHandler([this] { update(); });
}

void DiagramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintTransparent(painter, QPoint(0, 0), m_diagram);
}

} // namespace vlnokan
