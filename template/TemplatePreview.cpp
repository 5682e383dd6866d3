#include "template/TemplatePreview.h"

#include "template/SheetPainter.h"

#include <QPainter>

#include <algorithm>

namespace vlnokan::templ {

TemplatePreview::TemplatePreview(QWidget* parent) : QWidget(parent) {
    setMinimumSize(360, 260);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void TemplatePreview::setTiling(std::optional<pattern::Tiling> tiling) {
    m_tiling = std::move(tiling);
    update();
}

void TemplatePreview::paintEvent(QPaintEvent*) {
    if (!m_tiling)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const pattern::Box grid = m_tiling->grid();
    const QRectF room = QRectF(rect()).adjusted(8, 8, -8, -8);
    const double scale = std::min(room.width() / grid.width(), room.height() / grid.height());
    const QTransform toWidget(
        scale, 0, 0, -scale,
        room.left() + (room.width() - grid.width() * scale) / 2 - grid.left * scale,
        room.top() + (room.height() - grid.height() * scale) / 2 + grid.top * scale);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    for (const pattern::Sheet& sheet : m_tiling->sheets()) {
        const QRectF r = toWidget.mapRect(
            QRectF(sheet.area.left, sheet.area.bottom, sheet.area.width(), sheet.area.height()));
        painter.setPen(QColor(120, 120, 120));
        painter.setBrush(QColor(200, 215, 245, 90));
        painter.drawRect(r);
        painter.setPen(QColor(40, 70, 160));
        painter.drawText(r, Qt::AlignCenter, QString::fromStdString(sheet.label));
    }
    paintPatternLines(painter, m_tiling->pattern(), toWidget, true);
}

} // namespace vlnokan::templ
