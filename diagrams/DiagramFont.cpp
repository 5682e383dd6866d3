#include "diagrams/DiagramFont.h"

namespace vlnokan {

QFont diagramTextFont(int screenDpi) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize((8 * screenDpi + 36) / 72);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace vlnokan
