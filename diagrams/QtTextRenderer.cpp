#include "diagrams/QtTextRenderer.h"

#include "diagrams/DiagramFont.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QtMath>

namespace vlnokan {

drawing::TextInk QtTextRenderer::render(std::string_view text, const drawing::Face& face) const {
    const QFont font = face.kind == drawing::FaceKind::Figures ? diagramTextFont(face.screenDpi)
                                                               : diagramLabelFont();
    const QFontMetrics metrics(font);
    const QFontMetricsF exact(font);
    drawing::TextInk result;
    result.ascent = qCeil(exact.ascent());
    result.descent = qCeil(exact.descent());

    QList<QString> characters;
    for (const char32_t code : QString::fromUtf8(text.data(), qsizetype(text.size())).toUcs4()) {
        characters << QString::fromUcs4(&code, 1);
        result.advances.push_back(metrics.horizontalAdvance(characters.back()));
    }
    if (characters.isEmpty())
        return result;

    // Glyphs may reach past their cells (side bearings, tall accents): a margin of a whole line
    // on every side keeps all their ink on the scratch image.
    const int margin = metrics.height();
    const QPoint origin(margin, margin + result.ascent);
    QImage scratch(result.width() + 2 * margin, result.ascent + result.descent + 2 * margin,
                   QImage::Format_RGB32);
    scratch.fill(Qt::white);
    QPainter painter(&scratch);
    painter.setFont(font);
    painter.setPen(Qt::black);
    if (face.kind == drawing::FaceKind::Label) {
        // The labels are set as one run, as they always were; their advances are whole pixels
        // and without kerning all the same.
        painter.drawText(origin, characters.join(QString()));
    } else {
        int x = origin.x();
        for (qsizetype i = 0; i < characters.size(); ++i) {
            painter.drawText(QPoint(x, origin.y()), characters[i]);
            x += result.advances[std::size_t(i)];
        }
    }
    painter.end();

    QRect ink;
    for (int y = 0; y < scratch.height(); ++y)
        for (int sx = 0; sx < scratch.width(); ++sx)
            if (scratch.pixel(sx, y) != qRgb(255, 255, 255))
                ink |= QRect(sx, y, 1, 1);
    if (ink.isEmpty())
        return result;
    result.inkArea = {ink.x() - origin.x(), ink.y() - origin.y(), ink.width(), ink.height()};
    result.ink.resize(std::size_t(ink.width()) * std::size_t(ink.height()));
    for (int y = 0; y < ink.height(); ++y)
        for (int sx = 0; sx < ink.width(); ++sx)
            result.ink[std::size_t(y * ink.width() + sx)] =
                scratch.pixel(ink.x() + sx, ink.y() + y) != qRgb(255, 255, 255);
    return result;
}

const drawing::TextRenderer& qtTextRenderer() {
    static const QtTextRenderer renderer;
    return renderer;
}

} // namespace vlnokan
