#include "diagrams/Drawings.h"

namespace vlnokan {

Diagram makeCanDiagram() {
    QImage image(454, 222, QImage::Format_RGB32);
    image.fill(Qt::white);
    return Diagram(image, 1);
}

Diagram makeFunnelDiagram() {
    QImage image(299, 257, QImage::Format_RGB32);
    image.fill(Qt::white);
    return Diagram(image, 4);
}

} // namespace vlnokan
