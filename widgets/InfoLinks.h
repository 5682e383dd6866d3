#pragma once

#include <QPoint>
#include <QString>

class QWidget;

namespace vlnokan {

class TJvHotLink;

// The two pages the window points the builder to, next to "Bližší info na ".
namespace infolinks {
inline const QString hornUrl = QStringLiteral("https://en.wikipedia.org/wiki/Horn_antenna");
inline const QString cantennaUrl = QStringLiteral("https://en.wikipedia.org/wiki/Cantenna");
// Top-left corners in the window at 96 dpi; each label fits its width and height to its caption.
inline constexpr QPoint hornPlace{520, 320};
inline constexpr QPoint cantennaPlace{520, 336};
} // namespace infolinks

// A link label of the window at place, showing and opening url: "Arial" in the window's text
// colour, and under the pointer "MS Sans Serif", blue, underlined, both fontPixels high (11 on a
// 96 dpi screen; the window passes its scaled height).
TJvHotLink* makeInfoLink(QWidget* parent, const QString& objectName, QPoint place,
                         const QString& url, int fontPixels = 11);

} // namespace vlnokan
