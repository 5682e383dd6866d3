#pragma once

#include "drawing/Diagram.h"
#include "drawing/LabelSlots.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

namespace vlnokan {

using drawing::Diagram;
using drawing::LabelSlots;

// What Qt shows and prints of a plain drawing.
// The drawing in RGB32.
QImage toImage(const Diagram& diagram);
// The drawing as a palette image: Format_Mono with 2 entries, or Format_Indexed8 holding the
// 16-entry palette (Qt has no 4-bit format). A pixel outside the palette takes the nearest.
QImage indexedImage(const Diagram& diagram);
// The drawing with every pixel of the transparent colour fully transparent and every other
// pixel opaque (ARGB32 premultiplied).
QImage maskedImage(const Diagram& diagram);
QList<QRgb> qtPalette(const Diagram& diagram);
// A drawing holding image's pixels, its text set by Qt.
Diagram diagramFromImage(const QImage& image, int bitsPerPixel);

inline QPoint toQPoint(drawing::Point p) {
    return {p.x, p.y};
}
inline drawing::Point toPoint(QPoint p) {
    return {p.x(), p.y()};
}
inline QSize toQSize(drawing::Size s) {
    return {s.width, s.height};
}
// An empty rectangle becomes a null QRect.
inline QRect toQRect(const drawing::Rect& r) {
    return r.isEmpty() ? QRect() : QRect(r.x, r.y, r.width, r.height);
}
inline drawing::Rect toRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}
inline QRgb toQRgb(drawing::Rgb colour) {
    return 0xFF000000u | colour;
}
inline std::string toUtf8(const QString& text) {
    return text.toStdString();
}

} // namespace vlnokan
