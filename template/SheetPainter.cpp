#include "template/SheetPainter.h"

#include "template/CoverText.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vlnokan::templ {

namespace {

using pattern::Arc;
using pattern::Line;
using pattern::Sheet;
using pattern::Tiling;

constexpr double cutWidth = 0.35;       // mm
constexpr double thinWidth = 0.15;      // mm
constexpr double crossArm = 4.0;        // mm
constexpr double labelHeight = 9.0;     // mm
constexpr double noteHeight = 3.2;      // mm
constexpr double scaleBlockWidth = 115; // mm: the bar, its unit and the note below
constexpr double scaleBlockHeight = 13; // mm
const QColor grey(110, 110, 110);

QPointF page(const QTransform& toPage, pattern::Point p) {
    return toPage.map(QPointF(p.x, p.y));
}

QPainterPath edgesPath(const std::vector<pattern::Edge>& edges, const QTransform& toPage) {
    QPainterPath path;
    for (const pattern::Edge& edge : edges) {
        if (const auto* line = std::get_if<Line>(&edge)) {
            path.moveTo(page(toPage, line->from));
            path.lineTo(page(toPage, line->to));
            continue;
        }
        const Arc& arc = std::get<Arc>(edge);
        // Qt's arcs turn counter-clockwise with y downward: drawn about the mirrored centre and
        // mirrored back, they are the pattern's arcs with y upward.
        QPainterPath own;
        const QRectF circle(arc.centre.x - arc.radius, -arc.centre.y - arc.radius, 2 * arc.radius,
                            2 * arc.radius);
        own.arcMoveTo(circle, arc.startDeg);
        own.arcTo(circle, arc.startDeg, arc.sweepDeg);
        path.addPath(QTransform(1, 0, 0, -1, 0, 0).map(own) * toPage);
    }
    return path;
}

void setFontHeight(QPainter& painter, double millimetres, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    // The painter works in millimetres; a point is sized by the device's own resolution.
    font.setPointSizeF(millimetres * 72.0 / painter.device()->logicalDpiY());
    painter.setFont(font);
}

void paintCross(QPainter& painter, QPointF at) {
    painter.drawLine(at - QPointF(crossArm, 0), at + QPointF(crossArm, 0));
    painter.drawLine(at - QPointF(0, crossArm), at + QPointF(0, crossArm));
    painter.drawEllipse(at, crossArm / 2, crossArm / 2);
}

// Crosses in the bands shared with the neighbours, at the same pattern points on both sheets.
void paintCrosses(QPainter& painter, const Tiling& tiling, const Sheet& sheet,
                  const QTransform& toPage) {
    const double o = tiling.options().overlap;
    if (o < 2)
        return;
    const auto& a = sheet.area;
    const double h = tiling.areaHeight();
    const double w = tiling.areaWidth();
    painter.setPen(QPen(Qt::black, thinWidth));
    painter.setBrush(Qt::NoBrush);
    auto cross = [&](double x, double y) { paintCross(painter, toPage.map(QPointF(x, y))); };
    for (double y : {a.top - h / 4, a.bottom + h / 4}) {
        if (!sheet.left.empty())
            cross(a.left + o / 2, y);
        if (!sheet.right.empty())
            cross(a.right - o / 2, y);
    }
    for (double x : {a.left + w / 4, a.right - w / 4}) {
        if (!sheet.above.empty())
            cross(x, a.top - o / 2);
        if (!sheet.below.empty())
            cross(x, a.bottom + o / 2);
    }
}

QFont labelFont(double millimetres, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    font.setPixelSize(qRound(millimetres * 100));
    return font;
}

// The text's box in millimetres, measured a hundred times larger so that hinting does not
// round it.
QSizeF textSize(const QString& text, double millimetres) {
    const QFontMetricsF metrics(labelFont(millimetres, true));
    return QSizeF(metrics.horizontalAdvance(text), metrics.height()) / 100.0;
}

// Whether a box on the page (mm) keeps 1 mm clear of every cut and fold line.
bool clearOfLines(const Tiling& tiling, const QRectF& box, const QTransform& toPattern) {
    const QRectF seen = toPattern.mapRect(box.adjusted(-1, -1, 1, 1));
    return !pattern::linesCross(tiling.pattern(),
                                {seen.left(), seen.top(), seen.right(), seen.bottom()});
}

// The first of the wished places where the text keeps clear of the lines and of what is
// already placed; then any place on a 4 mm raster of the area; the first wish when none is.
QRectF placeText(const Tiling& tiling, const Sheet& sheet, QSizeF size,
                 const std::vector<QPointF>& wishes, const std::vector<QRectF>& taken) {
    const QTransform toPattern = sheetTransform(tiling, sheet).inverted();
    const double m = tiling.options().margin;
    const QRectF area(m, m, tiling.areaWidth(), tiling.areaHeight());
    auto free = [&](const QRectF& box) {
        return area.contains(box) && clearOfLines(tiling, box, toPattern) &&
               std::none_of(taken.begin(), taken.end(),
                            [&](const QRectF& t) { return t.intersects(box); });
    };
    for (const QPointF& wish : wishes)
        if (free(QRectF(wish, size)))
            return QRectF(wish, size);
    for (double y = area.top() + 1; y + size.height() < area.bottom(); y += 4)
        for (double x = area.left() + 1; x + size.width() < area.right(); x += 4)
            if (free(QRectF(QPointF(x, y), size)))
                return QRectF(QPointF(x, y), size);
    return QRectF(wishes.front(), size);
}

// Places along an edge of the area, from its middle outward in 5 mm steps.
std::vector<QPointF> alongEdge(QPointF middle, QPointF direction, double reach) {
    std::vector<QPointF> places{middle};
    for (double d = 5; d < reach; d += 5) {
        places.push_back(middle + direction * d);
        places.push_back(middle - direction * d);
    }
    return places;
}

} // namespace

std::vector<SheetText> sheetTexts(const Tiling& tiling, const Sheet& sheet) {
    const double m = tiling.options().margin;
    const double o = tiling.options().overlap;
    const double w = tiling.areaWidth();
    const double h = tiling.areaHeight();
    const QRectF bar = scaleBarRect(tiling, sheet);
    std::vector<QRectF> taken{QRectF(bar.topLeft(), QSizeF(scaleBlockWidth, scaleBlockHeight))};
    std::vector<SheetText> texts;
    auto place = [&](const QString& text, double height, const std::vector<QPointF>& wishes) {
        const QRectF box = placeText(tiling, sheet, textSize(text, height), wishes, taken);
        taken.push_back(box);
        texts.push_back({text, box, height});
    };
    const QString label = QString::fromStdString(sheet.label);
    const QSizeF labelSize = textSize(label, labelHeight);
    const double in = o + 3;
    place(label, labelHeight,
          {QPointF(m + in, m + in), QPointF(m + w - in - labelSize.width(), m + in),
           QPointF(m + in, m + h - in - labelSize.height()),
           QPointF(m + w - in - labelSize.width(), m + h - in - labelSize.height())});
    const auto text = [](const std::string& name) { return QString::fromStdString(name); };
    const double arrowHeight = 4.5;
    const double inner = o + 1.5;
    auto neighbour = [&](const std::string& name, const QString& shown, QPointF middleOfBox,
                         QPointF direction, double reach) {
        if (name.empty())
            return;
        const QSizeF size = textSize(shown, arrowHeight);
        const QPointF corner = middleOfBox - QPointF(size.width() / 2, size.height() / 2);
        place(shown, arrowHeight, alongEdge(corner, direction, reach));
    };
    const QString left = QStringLiteral("← ") + text(sheet.left);
    const QString right = text(sheet.right) + QStringLiteral(" →");
    const QString up = QStringLiteral("↑ ") + text(sheet.above);
    const QString down = QStringLiteral("↓ ") + text(sheet.below);
    neighbour(sheet.left, left, {m + inner + textSize(left, arrowHeight).width() / 2, m + h / 2},
              {0, 1}, h / 2 - inner - 5);
    neighbour(sheet.right, right,
              {m + w - inner - textSize(right, arrowHeight).width() / 2, m + h / 2}, {0, 1},
              h / 2 - inner - 5);
    neighbour(sheet.above, up, {m + w / 2, m + inner + textSize(up, arrowHeight).height() / 2},
              {1, 0}, w / 2 - inner - 10);
    neighbour(sheet.below, down,
              {m + w / 2, m + h - inner - textSize(down, arrowHeight).height() / 2}, {1, 0},
              w / 2 - inner - 10);
    return texts;
}

QRectF uprightBarRect(const Tiling& tiling, const Sheet& sheet) {
    const QRectF bar = scaleBarRect(tiling, sheet);
    std::vector<QRectF> taken{QRectF(bar.topLeft(), QSizeF(scaleBlockWidth, scaleBlockHeight))};
    for (const SheetText& text : sheetTexts(tiling, sheet))
        taken.push_back(text.box);
    const double m = tiling.options().margin;
    const double o = tiling.options().overlap;
    // The strip with its ticks and figures, and a millimetre of room around them.
    const QSizeF block(12, 104);
    const QRectF box = placeText(tiling, sheet, block,
                                 {QPointF(m + o + 4, m + o + 4 + labelHeight * 1.6),
                                  QPointF(m + tiling.areaWidth() - o - 4 - block.width(),
                                          m + tiling.areaHeight() - o - 4 - block.height())},
                                 taken);
    return {box.left() + 1, box.top() + 2, 3.5, 100};
}

namespace {

// The bar upright: the strip along its left side, ticks to the right, 0 at the bottom.
void paintUprightBar(QPainter& painter, const QRectF& bar) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(bar.left(), bar.top(), 0.6, 100.0));
    for (int mm = 0; mm <= 100; ++mm) {
        const double y = bar.bottom() - std::min(double(mm), 99.9) - 0.1;
        const double length = mm % 10 == 0 ? 3.5 : (mm % 5 == 0 ? 2.5 : 1.5);
        painter.drawRect(QRectF(bar.left(), y, length, 0.1));
    }
    setFontHeight(painter, 2.8);
    painter.setPen(Qt::black);
    for (int mm : {0, 50, 100})
        painter.drawText(QRectF(bar.left() + 4, bar.bottom() - mm - 1.75, 8, 3.5),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(mm));
}

void paintScaleBar(QPainter& painter, const QRectF& bar) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    // Every tick lies within the bar's 100 mm, so its ends are its length.
    painter.drawRect(QRectF(bar.left(), bar.top(), 100.0, 0.6));
    for (int mm = 0; mm <= 100; ++mm) {
        const double x = bar.left() + std::min(double(mm), 99.9);
        const double length = mm % 10 == 0 ? 3.5 : (mm % 5 == 0 ? 2.5 : 1.5);
        painter.drawRect(QRectF(x, bar.top(), 0.1, length));
    }
    setFontHeight(painter, 2.8);
    painter.setPen(Qt::black);
    for (int mm : {0, 50, 100})
        painter.drawText(QRectF(bar.left() + mm - 10, bar.top() + 3.8, 20, 3.5), Qt::AlignCenter,
                         QString::number(mm));
    painter.drawText(QRectF(bar.left() + 102, bar.top() - 0.5, 20, 4),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("mm"));
    setFontHeight(painter, noteHeight, true);
    painter.drawText(QRectF(bar.left(), bar.top() + 7.5, 160, 5), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Tiskněte ve skutečné velikosti (100 %)"));
}

} // namespace

void useMillimetres(QPainter& painter, double dotsPerInch) {
    painter.scale(dotsPerInch / 25.4, dotsPerInch / 25.4);
}

QTransform sheetTransform(const Tiling& tiling, const Sheet& sheet) {
    const double m = tiling.options().margin;
    return QTransform(1, 0, 0, -1, m - sheet.area.left, m + sheet.area.top);
}

void paintPatternLines(QPainter& painter, const pattern::Pattern& pattern, const QTransform& toPage,
                       bool screenPen) {
    const double width = screenPen ? 1.5 : cutWidth;
    painter.setBrush(Qt::NoBrush);
    QPen cut(Qt::black, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    cut.setCosmetic(screenPen);
    painter.setPen(cut);
    painter.drawPath(edgesPath(pattern.cutEdges(), toPage));
    QPen fold(Qt::black, width, Qt::CustomDashLine, Qt::FlatCap);
    fold.setCosmetic(screenPen);
    fold.setDashPattern({8, 6});
    painter.setPen(fold);
    for (const Line& line : pattern.foldLines())
        painter.drawLine(page(toPage, line.from), page(toPage, line.to));
}

QRectF scaleBarRect(const Tiling& tiling, const Sheet& sheet) {
    const double m = tiling.options().margin;
    const double o = tiling.options().overlap;
    const double w = tiling.areaWidth();
    const double h = tiling.areaHeight();
    // The bar with its figures and the note below it.
    const QSizeF block(scaleBlockWidth, scaleBlockHeight);
    const double left = m + o + 4;
    const double right = m + w - o - 4 - block.width();
    const double top = m + o + labelHeight * 1.6 + 3;
    const double bottom = m + h - o - 6 - block.height();
    const QTransform toPattern = sheetTransform(tiling, sheet).inverted();
    for (const QPointF corner :
         {QPointF(left, bottom), QPointF(right, bottom), QPointF(right, top), QPointF(left, top),
          QPointF((left + right) / 2, bottom), QPointF((left + right) / 2, top)}) {
        const QRectF seen = toPattern.mapRect(QRectF(corner, block).adjusted(-2, -2, 2, 2));
        if (!pattern::linesCross(tiling.pattern(),
                                 {seen.left(), seen.top(), seen.right(), seen.bottom()}))
            return {corner, QSizeF(100, 3.5)};
    }
    return {QPointF(left, bottom), QSizeF(100, 3.5)};
}

void paintSheet(QPainter& painter, const Tiling& tiling, const Sheet& sheet, SheetContent content) {
    const double m = tiling.options().margin;
    const QRectF area(m, m, tiling.areaWidth(), tiling.areaHeight());
    const QTransform toPage = sheetTransform(tiling, sheet);
    painter.save();
    painter.setClipRect(area);
    paintPatternLines(painter, tiling.pattern(), toPage);
    if (content == SheetContent::Full) {
        paintCrosses(painter, tiling, sheet, toPage);
        // Where the neighbours' paper ends: a thin dotted line at the inner edge of each band.
        const double o = tiling.options().overlap;
        painter.setPen(QPen(grey, thinWidth, Qt::DotLine));
        if (o > 0) {
            if (!sheet.left.empty())
                painter.drawLine(QPointF(m + o, m), QPointF(m + o, m + area.height()));
            if (!sheet.right.empty())
                painter.drawLine(QPointF(m + area.width() - o, m),
                                 QPointF(m + area.width() - o, m + area.height()));
            if (!sheet.above.empty())
                painter.drawLine(QPointF(m, m + o), QPointF(m + area.width(), m + o));
            if (!sheet.below.empty())
                painter.drawLine(QPointF(m, m + area.height() - o),
                                 QPointF(m + area.width(), m + area.height() - o));
        }
        painter.setPen(grey);
        for (const SheetText& text : sheetTexts(tiling, sheet)) {
            setFontHeight(painter, text.height, true);
            painter.drawText(text.box, Qt::AlignCenter, text.text);
        }
        paintScaleBar(painter, scaleBarRect(tiling, sheet));
        paintUprightBar(painter, uprightBarRect(tiling, sheet));
    }
    painter.restore();
}

void paintCover(QPainter& painter, const Tiling& tiling) {
    const double m = std::max(tiling.options().margin, 5.0);
    const double pageW = tiling.pageWidth();
    const double pageH = tiling.pageHeight();
    painter.save();
    setFontHeight(painter, 7, true);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(m, m, pageW - 2 * m, 10), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Šablona nálevky 1:1"));

    // The map takes the upper part of a portrait page, the left part of a landscape one.
    const bool wide = pageW > pageH;
    const QRectF mapArea = wide ? QRectF(m, m + 14, (pageW - 2 * m) * 0.55, pageH - 2 * m - 14)
                                : QRectF(m, m + 14, pageW - 2 * m, (pageH - 2 * m) * 0.42);
    const pattern::Box grid = tiling.grid();
    const double scale = std::min(mapArea.width() / grid.width(), mapArea.height() / grid.height());
    const QTransform toMap = QTransform(
        scale, 0, 0, -scale,
        mapArea.left() + (mapArea.width() - grid.width() * scale) / 2 - grid.left * scale,
        mapArea.top() + grid.top * scale);
    setFontHeight(
        painter,
        std::clamp(std::min(tiling.areaWidth(), tiling.areaHeight()) * scale * 0.3, 2.5, 8.0),
        true);
    for (const Sheet& sheet : tiling.sheets()) {
        const QRectF r = toMap.mapRect(
            QRectF(sheet.area.left, sheet.area.bottom, sheet.area.width(), sheet.area.height()));
        painter.setPen(QPen(grey, thinWidth));
        painter.setBrush(QColor(235, 240, 250, 120));
        painter.drawRect(r);
        painter.setPen(QColor(40, 70, 160));
        painter.drawText(r, Qt::AlignCenter, QString::fromStdString(sheet.label));
    }
    painter.setBrush(Qt::NoBrush);
    paintPatternLines(painter, tiling.pattern(), toMap);

    const QRectF textArea =
        wide ? QRectF(mapArea.right() + 6, m + 14, pageW - m - mapArea.right() - 6,
                      pageH - 2 * m - 14)
             : QRectF(m, mapArea.bottom() + 6, pageW - 2 * m, pageH - m - mapArea.bottom() - 6);
    setFontHeight(painter, wide ? 3.0 : 3.2);
    painter.setPen(Qt::black);
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, coverText(tiling));
    painter.restore();
}

} // namespace vlnokan::templ
