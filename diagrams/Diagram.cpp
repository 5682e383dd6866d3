#include "diagrams/Diagram.h"

#include "diagrams/DiagramFont.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

#include <limits>

namespace vlnokan {

namespace {

constexpr QRgb white = qRgb(255, 255, 255);

int nearestIndex(const QList<QRgb>& palette, QRgb colour) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(colour) - qRed(palette[i]);
        const int dg = qGreen(colour) - qGreen(palette[i]);
        const int db = qBlue(colour) - qBlue(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

Diagram::Diagram(QImage pixels, int bitsPerPixel)
    : m_pixels(std::move(pixels).convertToFormat(QImage::Format_RGB32)),
      m_bitsPerPixel(bitsPerPixel) {}

QList<QRgb> Diagram::palette() const {
    if (m_bitsPerPixel == 1)
        return {qRgb(0, 0, 0), white};
    QList<QRgb> colours(16, white);
    colours[0] = qRgb(0, 0, 0);
    colours[1] = qRgb(0, 255, 255);
    colours[2] = qRgb(255, 0, 0);
    return colours;
}

QImage Diagram::indexedPixels() const {
    const QList<QRgb> colours = palette();
    QImage indexed(m_pixels.size(),
                   m_bitsPerPixel == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
    indexed.setColorTable(colours);
    for (int y = 0; y < m_pixels.height(); ++y)
        for (int x = 0; x < m_pixels.width(); ++x)
            indexed.setPixel(x, y, uint(nearestIndex(colours, m_pixels.pixel(x, y))));
    return indexed;
}

int Diagram::textCellHeight() const {
    const QFontMetricsF metrics(diagramTextFont(m_screenDpi));
    return qCeil(metrics.ascent()) + qCeil(metrics.descent());
}

QRect Diagram::writeText(QPoint topLeft, const QString& text) {
    const QFont font = diagramTextFont(m_screenDpi);
    const QFontMetrics metrics(font);
    // Each character takes its own whole-pixel advance, one after the other, as the characters of
    // a bitmap face do: no kerning pulls two figures together, and the white cell ends exactly
    // where the last character's advance does.
    QList<QString> characters;
    QList<int> advances;
    int width = 0;
    for (const char32_t code : text.toUcs4()) {
        characters << QString::fromUcs4(&code, 1);
        advances << metrics.horizontalAdvance(characters.back());
        width += advances.back();
    }
    const QRect cell(topLeft, QSize(width, textCellHeight()));
    QPainter painter(&m_pixels);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.fillRect(cell, Qt::white);
    const int baseline = topLeft.y() + qCeil(QFontMetricsF(font).ascent());
    int x = topLeft.x();
    for (qsizetype i = 0; i < characters.size(); ++i) {
        painter.drawText(QPoint(x, baseline), characters[i]);
        x += advances[i];
    }
    painter.end();

    const QRect covered = cell.intersected(m_pixels.rect());
    QRect& area = m_textAreas[{topLeft.x(), topLeft.y()}];
    area = area.united(covered);
    changed();
    return covered;
}

void Diagram::eraseRect(const QRect& area) {
    const QRect inside = area.intersected(m_pixels.rect());
    if (inside.isEmpty())
        return;
    QPainter painter(&m_pixels);
    painter.fillRect(inside, Qt::white);
    painter.end();
    changed();
}

QRect Diagram::takeTextArea(QPoint topLeft) {
    const auto found = m_textAreas.find({topLeft.x(), topLeft.y()});
    if (found == m_textAreas.end())
        return {};
    const QRect area = found->second;
    m_textAreas.erase(found);
    return area;
}

QRgb Diagram::transparentColour() const {
    if (m_bitsPerPixel == 1)
        return white;
    return m_pixels.pixel(0, m_pixels.height() - 1);
}

const QImage& Diagram::masked() const {
    if (m_masked.isNull() || m_maskedRevision != m_revision) {
        const QRgb transparent = transparentColour() & 0xFFFFFF;
        m_masked = m_pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < m_masked.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_masked.scanLine(y));
            for (int x = 0; x < m_masked.width(); ++x)
                if ((line[x] & 0xFFFFFF) == transparent)
                    line[x] = 0;
        }
        m_maskedRevision = m_revision;
    }
    return m_masked;
}

void Diagram::changed() {
    ++m_revision;
    if (m_changed)
        m_changed();
}

} // namespace vlnokan
