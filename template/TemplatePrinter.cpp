#include "template/TemplatePrinter.h"

#include "core/Faults.h"
#include "print/LpJob.h"
#include "print/PrintSystem.h"
#include "template/TemplateDocument.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

namespace vlnokan::templ {

QString CupsTemplatePrintSystem::defaultPrinter() {
    return PrintSystemSeam::get().defaultPrinter();
}

std::optional<PrinterPaper> CupsTemplatePrintSystem::paperOf(const QString& printer) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (info.isNull())
        return std::nullopt;
    QPrinter queue(info, QPrinter::HighResolution);
    if (!queue.isValid())
        return std::nullopt;
    // A QPrinter starts on Qt's own default page (A4, no border) whatever the queue uses: only
    // once given the queue's default paper does its layout carry that paper's printable area.
    const QPageSize size = info.defaultPageSize();
    if (!size.isValid() || !queue.setPageSize(size))
        return std::nullopt;
    QPageLayout layout = queue.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
    // The template keeps clear of the widest unprintable edge on every side.
    const QMarginsF least = layout.minimumMargins();
    const double margin = std::max({least.left(), least.top(), least.right(), least.bottom(), 0.0});
    return PrinterPaper{{layout.pageSize().name().toStdString(), paper.width(), paper.height()},
                        std::ceil(margin * 10) / 10};
}

QString CupsTemplatePrintSystem::send(const QString& printer, const QString& pdfPath,
                                      const QString& title) {
    const LpOutcome outcome = sendWithLp(printer, title, pdfPath);
    if (!outcome.started)
        return QStringLiteral("lp nelze spustit");
    if (!outcome.accepted)
        return outcome.complaint.isEmpty() ? QStringLiteral("tiskový systém úlohu nepřijal")
                                           : outcome.complaint;
    return {};
}

PrinterTiling tileForPrinter(const pattern::Pattern& pattern, double overlap) {
    TemplatePrintSystem& system = TemplatePrintSeam::get();
    const QString printer = system.defaultPrinter();
    if (printer.isEmpty())
        throw EPrinter("There is no default printer currently selected");
    const auto paper = system.paperOf(printer);
    if (!paper)
        throw EPrinter("Printer selected is not valid");
    return {printer,
            pattern::Tiling::arrange(
                pattern, {paper->paper, std::max(paper->margin, leastPrintMargin), overlap})};
}

pattern::Tiling printTemplate(const pattern::Pattern& pattern, double overlap) {
    TemplatePrintSystem& system = TemplatePrintSeam::get();
    const auto [printer, tiling] = tileForPrinter(pattern, overlap);

    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/vlnokan-sablona-XXXXXX.pdf"));
    if (!file.open() || !writePdf(file, tiling, SheetContent::Full, true, PageTurn::Portrait) ||
        !file.flush())
        throw EPrinter("Šablonu nelze připravit k tisku");
    file.close();
    const QString complaint =
        system.send(printer, file.fileName(), QStringLiteral("Šablona nálevky"));
    if (!complaint.isEmpty())
        throw EPrinter(complaint.toStdString());
    return tiling;
}

} // namespace vlnokan::templ
