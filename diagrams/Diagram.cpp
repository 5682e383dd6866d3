#include "diagrams/Diagram.h"

#include "diagrams/DiagramFont.h"

#include <QPainter>

namespace vlnokan {

Diagram::Diagram(QImage pixels, int bitsPerPixel)
    : m_pixels(std::move(pixels).convertToFormat(QImage::Format_RGB32)),
      m_bitsPerPixel(bitsPerPixel) {}

QRect Diagram::writeText(QPoint topLeft, const QString& text) {
    QPainter painter(&m_pixels);
    painter.setFont(diagramTextFont());
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    const QRect cell = painter.fontMetrics().boundingRect(text);
    const QRect covered(topLeft, QSize(painter.fontMetrics().horizontalAdvance(text),
                                       painter.fontMetrics().height()));
    static_cast<void>(cell);
    painter.fillRect(covered, Qt::white);
    painter.drawText(covered, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.end();
    changed();
    return covered.intersected(m_pixels.rect());
}

void Diagram::eraseRect(const QRect& area) {
    QPainter painter(&m_pixels);
    painter.fillRect(area.intersected(m_pixels.rect()), Qt::white);
    painter.end();
    changed();
}

QRgb Diagram::transparentColour() const {
    if (m_bitsPerPixel == 1)
        return qRgb(255, 255, 255);
    return m_pixels.pixel(0, m_pixels.height() - 1);
}

void Diagram::changed() {
    if (m_changed)
        m_changed();
}

} // namespace vlnokan
