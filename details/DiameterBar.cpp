#include "details/DiameterBar.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vlnokan {

namespace {

constexpr int margin = 12;
constexpr int barTop = 8;
constexpr int barHeight = 18;

} // namespace

DiameterBar::DiameterBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("diameterBar"));
}

void DiameterBar::setWindows(const waveguide::DiameterWindow& frequency,
                             const std::optional<waveguide::DiameterWindow>& band, int diameter) {
    m_frequency = frequency;
    m_band = band;
    m_diameter = diameter;
    // The scale reaches from a little below TE11's cut-off to a little above the can or TM01's.
    double low = std::min<double>(double(frequency.smallest), diameter);
    double high = std::max<double>(double(frequency.largest), diameter);
    if (band && !band->empty()) {
        low = std::min(low, double(band->smallest));
        high = std::max(high, double(band->largest));
    }
    const double pad = (high - low) * 0.15 + 1;
    m_lowest = std::max(0.0, std::floor(low - pad));
    m_highest = std::ceil(high + pad);
    update();
}

void DiameterBar::clear() {
    m_frequency.reset();
    m_band.reset();
    update();
}

double DiameterBar::xOf(double diameter) const {
    const double width = std::max(1, this->width() - 2 * margin);
    return margin + (diameter - m_lowest) / (m_highest - m_lowest) * width;
}

void DiameterBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (!m_frequency)
        return;
    const QRectF scale(xOf(m_lowest), barTop, xOf(m_highest) - xOf(m_lowest), barHeight);
    painter.fillRect(scale, QColor(235, 200, 200)); // too narrow or too wide
    const auto span = [&](const waveguide::DiameterWindow& window, double top, double height,
                          const QColor& colour) {
        if (window.empty())
            return;
        painter.fillRect(QRectF(QPointF(xOf(double(window.smallest)), top),
                                QPointF(xOf(double(window.largest)), top + height)),
                         colour);
    };
    span(*m_frequency, barTop, barHeight, QColor(170, 220, 170));
    if (m_band)
        span(*m_band, barTop + barHeight - 5, 5, QColor(60, 140, 60));
    painter.setPen(palette().text().color());
    painter.drawRect(scale);

    // About ten ticks, 1, 2 or 5 times a power of ten millimetres apart.
    const double rough = (m_highest - m_lowest) / 10;
    const double power = std::pow(10.0, std::floor(std::log10(std::max(rough, 1e-3))));
    const double stepMm = rough <= power       ? power
                          : rough <= 2 * power ? 2 * power
                          : rough <= 5 * power ? 5 * power
                                               : 10 * power;
    const QFontMetrics metrics(font());
    for (double mm = std::ceil(m_lowest / stepMm) * stepMm; mm <= m_highest; mm += stepMm) {
        const double x = xOf(mm);
        painter.drawLine(QPointF(x, barTop + barHeight), QPointF(x, barTop + barHeight + 4));
        const QString text = QString::number(mm, 'f', 0);
        painter.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2.0,
                                 barTop + barHeight + 5 + metrics.ascent()),
                         text);
    }

    // The can: a red line across the bar.
    QPen can(QColor(200, 0, 0));
    can.setWidth(3);
    painter.setPen(can);
    const double x = xOf(m_diameter);
    painter.drawLine(QPointF(x, barTop - 5), QPointF(x, barTop + barHeight + 5));
}

} // namespace vlnokan
