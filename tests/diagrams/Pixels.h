#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

#include <cmath>

// Helpers for comparing a drawing's pixels with the positions and colours of its elements.
namespace pixels {

inline QString colourAt(const QImage& image, QPoint at) {
    if (!image.rect().contains(at))
        return QStringLiteral("outside");
    return QColor(image.pixel(at)).name();
}

// The pixels of a horizontal or vertical run, both ends included.
inline QList<QPoint> run(QPoint from, QPoint to) {
    QList<QPoint> points;
    const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                      (to.y() > from.y()) - (to.y() < from.y()));
    for (int i = 0; i <= steps; ++i)
        points << from + step * i;
    return points;
}

// The first place where the image's colour differs, as text for QCOMPARE; empty when all match.
inline QString firstMismatch(const QImage& image, const QList<QPoint>& points,
                             const QString& colour) {
    for (QPoint at : points)
        if (colourAt(image, at) != colour)
            return QStringLiteral("(%1, %2) is %3")
                .arg(at.x())
                .arg(at.y())
                .arg(colourAt(image, at));
    return {};
}

} // namespace pixels
