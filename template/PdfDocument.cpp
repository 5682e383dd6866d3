#include "template/TemplateDocument.h"

#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace vlnokan::templ {

namespace {

constexpr int pdfResolution = 1200;

// The paper by its standard name where it has one: a size given in millimetres is kept by the
// PDF in whole points, a standard size exactly.
QPageSize pageSizeOf(const pattern::Paper& paper) {
    for (const auto id : {QPageSize::A4, QPageSize::A3, QPageSize::Letter, QPageSize::Legal}) {
        const QSizeF size = QPageSize::size(id, QPageSize::Millimeter);
        if (std::abs(size.width() - paper.width) < 0.05 &&
            std::abs(size.height() - paper.height) < 0.05)
            return QPageSize(id);
    }
    return QPageSize(QSizeF(paper.width, paper.height), QPageSize::Millimeter, QString(),
                     QPageSize::ExactMatch);
}

} // namespace

bool writePdf(QIODevice& device, const pattern::Tiling& tiling, SheetContent content,
              bool withCover, PageTurn turn) {
    const bool turned = turn == PageTurn::Portrait && tiling.landscape();
    QPdfWriter writer(&device);
    writer.setResolution(pdfResolution);
    writer.setCreator(QStringLiteral("Vlnokan"));
    writer.setTitle(QStringLiteral("Šablona nálevky 1:1"));
    // The page is the paper as the sheets lie; the margins are drawn by the sheets themselves.
    writer.setPageSize(pageSizeOf(tiling.options().paper));
    writer.setPageOrientation(tiling.landscape() && !turned ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    useMillimetres(painter, pdfResolution);
    if (turned) {
        painter.translate(tiling.options().paper.width, 0);
        painter.rotate(90);
    }
    bool first = true;
    auto nextPage = [&] {
        if (!first)
            writer.newPage();
        first = false;
    };
    if (withCover) {
        nextPage();
        paintCover(painter, tiling);
    }
    for (const pattern::Sheet& sheet : tiling.sheets()) {
        nextPage();
        paintSheet(painter, tiling, sheet, content);
    }
    return painter.end();
}

} // namespace vlnokan::templ
