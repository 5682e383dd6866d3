#include "diagrams/Diagram.h"

#include "diagrams/QtTextRenderer.h"

namespace vlnokan {

QImage toImage(const Diagram& diagram) {
    QImage image(toQSize(diagram.size()), QImage::Format_RGB32);
    for (int y = 0; y < diagram.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < diagram.width(); ++x)
            line[x] = 0xFF000000u | diagram.pixel({x, y});
    }
    return image;
}

QList<QRgb> qtPalette(const Diagram& diagram) {
    QList<QRgb> colours;
    for (const drawing::Rgb colour : diagram.palette())
        colours << (0xFF000000u | colour);
    return colours;
}

QImage indexedImage(const Diagram& diagram) {
    QImage indexed(toQSize(diagram.size()),
                   diagram.bitsPerPixel() == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
    indexed.setColorTable(qtPalette(diagram));
    // Zero the padding bits at the rows' ends too: a PNG of the picture carries them, and its
    // bytes must not depend on what the memory held before.
    indexed.fill(0);
    for (int y = 0; y < diagram.height(); ++y)
        for (int x = 0; x < diagram.width(); ++x)
            indexed.setPixel(x, y, uint(diagram.paletteIndex({x, y})));
    return indexed;
}

QImage maskedImage(const Diagram& diagram) {
    QImage masked(toQSize(diagram.size()), QImage::Format_ARGB32_Premultiplied);
    const drawing::Rgb transparent = diagram.transparentColour();
    for (int y = 0; y < diagram.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < diagram.width(); ++x) {
            const drawing::Rgb colour = diagram.pixel({x, y});
            line[x] = colour == transparent ? 0u : 0xFF000000u | colour;
        }
    }
    return masked;
}

Diagram diagramFromImage(const QImage& image, int bitsPerPixel) {
    Diagram diagram({image.width(), image.height()}, bitsPerPixel, qtTextRenderer());
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            diagram.setPixel({x, y}, rgb.pixel(x, y) & 0xFFFFFFu);
    return diagram;
}

} // namespace vlnokan
