#include "pattern/Tiling.h"
#include "template/SheetPainter.h"
#include "template/TemplateDocument.h"
#include "tests/template/TemplateTestSupport.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace vlnokan;
using namespace vlnokan::pattern;
using namespace vlnokan::test;

namespace {

constexpr double dpi = 127; // 5 pixels per millimetre
constexpr double pxPerMm = dpi / 25.4;

QImage renderPage(QPdfDocument& document, int page, double resolution) {
    const QSizeF points = document.pagePointSize(page);
    const QSize pixels(qRound(points.width() / 72.0 * resolution),
                       qRound(points.height() / 72.0 * resolution));
    QPdfDocumentRenderOptions options;
    options.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
    // The page comes transparent where nothing is drawn: it is laid on white paper.
    QImage paper(pixels, QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.drawImage(0, 0, document.render(page, pixels, options));
    return paper;
}

// Dark pixels of a that have no dark pixel of b within one pixel, b placed at offset in a.
int unmatched(const QImage& a, QRect part, const QImage& b, QPoint offset) {
    int count = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x) {
            if (!dark(a.pixel(x, y)))
                continue;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    const QPoint q(x + dx - offset.x(), y + dy - offset.y());
                    found = b.rect().contains(q) && dark(b.pixel(q));
                }
            count += !found;
        }
    return count;
}

int darkCount(const QImage& image, QRect part) {
    int count = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            count += dark(image.pixel(x, y));
    return count;
}

QByteArray pdfOf(const Tiling& tiling, templ::SheetContent content, bool cover) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!templ::writePdf(buffer, tiling, content, cover))
        return {};
    return buffer.data();
}

// Each sheet drawn with the pattern's lines alone, rendered at dpi.
std::vector<QImage> linesOnlyPages(const Tiling& tiling) {
    QBuffer buffer;
    buffer.setData(pdfOf(tiling, templ::SheetContent::LinesOnly, false));
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    std::vector<QImage> pages;
    for (int i = 0; i < document.pageCount(); ++i)
        pages.push_back(renderPage(document, i, dpi));
    return pages;
}

} // namespace

class TestTemplatePdf final : public QObject {
    Q_OBJECT

private slots:
    void pagesAreThePaper_data() {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<double>("seam");
        QTest::newRow("A4") << "A4" << 10.0;
        QTest::newRow("A3") << "A3" << 0.0;
        QTest::newRow("Letter") << "Letter" << 10.0;
        QTest::newRow("Legal") << "Legal" << 10.0;
    }
    void pagesAreThePaper() {
        QFETCH(QString, paper);
        QFETCH(double, seam);
        const Paper sheet = *paperNamed(paper.toStdString());
        const Tiling tiling = Tiling::arrange(
            Pattern::develop(funnelDesign(40, 85, 300), {seam, 0, 1}), {sheet, 5, 10});
        QBuffer buffer;
        buffer.setData(pdfOf(tiling, templ::SheetContent::Full, true));
        buffer.open(QIODevice::ReadOnly);
        QPdfDocument document;
        document.load(&buffer);
        QCOMPARE(document.pageCount(), int(tiling.sheets().size()) + 1);
        for (int page = 0; page < document.pageCount(); ++page) {
            const QSizeF mm = document.pagePointSize(page) * (25.4 / 72.0);
            const QSizeF expected = tiling.landscape() ? QSizeF(sheet.height, sheet.width)
                                                       : QSizeF(sheet.width, sheet.height);
            // Qt writes the page box in whole points: within half a point (0.18 mm) of the paper.
            QVERIFY2(std::abs(mm.width() - expected.width()) < 0.18 &&
                         std::abs(mm.height() - expected.height()) < 0.18,
                     qPrintable(QStringLiteral("page %1: %2 x %3 mm")
                                    .arg(page)
                                    .arg(mm.width())
                                    .arg(mm.height())));
        }
    }

    // The bar's black strip, measured on the rendered page at 600 dpi, is 100 mm long.
    void scaleBarMeasuresHundredMillimetres() {
        const Tiling tiling = Tiling::arrange(Pattern::develop(funnelDesign(40, 85, 300), {}),
                                              {*paperNamed("A4"), 5, 10});
        QBuffer buffer;
        buffer.setData(pdfOf(tiling, templ::SheetContent::Full, true));
        buffer.open(QIODevice::ReadOnly);
        QPdfDocument document;
        document.load(&buffer);
        const double resolution = 600;
        const QImage page = renderPage(document, 1, resolution);
        const QRectF bar = templ::scaleBarRect(tiling, tiling.sheets().front());
        const double px = resolution / 25.4;
        int longest = 0;
        for (int y = int((bar.top() - 1) * px); y < int((bar.top() + 1.5) * px); ++y)
            longest = std::max(longest, longestDarkRun(page, y, int((bar.left() - 20) * px),
                                                       int((bar.right() + 20) * px)));
        QVERIFY2(std::abs(longest / px - 100.0) < 0.1,
                 qPrintable(QString::number(longest / px, 'f', 3)));

        // The upright bar, measured down the page: its columns become rows when turned.
        const QRectF upright = templ::uprightBarRect(tiling, tiling.sheets().front());
        const QRect around(int((upright.left() - 2) * px), int((upright.top() - 20) * px),
                           int(4 * px), int((upright.height() + 40) * px));
        const QImage turned = page.copy(around).transformed(QTransform().rotate(90));
        int tallest = 0;
        for (int y = 0; y < turned.height(); ++y)
            tallest = std::max(tallest, longestDarkRun(turned, y, 0, turned.width()));
        QVERIFY2(std::abs(tallest / px - 100.0) < 0.1,
                 qPrintable(QString::number(tallest / px, 'f', 3)));
        QVERIFY(!upright.intersects(bar));
    }

    // No sheet's label nor a neighbour's name lies on a cut or fold line: each text's box, half
    // a millimetre larger, is blank on the sheet drawn with its lines alone.
    void labelsKeepOffTheLines_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("mouth");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<double>("overlap");
        QTest::addColumn<int>("pieces");
        QTest::newRow("defaults on A4") << 40 << 300 << "A4" << 10.0 << 1;
        QTest::newRow("two pieces on Legal") << 20 << 300 << "Legal" << 10.0 << 2;
        // A line runs through the corner where a sheet's label first goes.
        QTest::newRow("20 degrees on A4") << 20 << 300 << "A4" << 10.0 << 1;
        QTest::newRow("20 degrees to 170 mm on A4, no overlap") << 20 << 170 << "A4" << 0.0 << 1;
        QTest::newRow("20 degrees on Letter, two pieces") << 20 << 300 << "Letter" << 10.0 << 2;
        QTest::newRow("long funnel on A3, no overlap") << 20 << 1000 << "A3" << 0.0 << 1;
        QTest::newRow("three pieces on A4") << 40 << 600 << "A4" << 20.0 << 3;
    }
    void labelsKeepOffTheLines() {
        QFETCH(int, angle);
        QFETCH(int, mouth);
        QFETCH(QString, paper);
        QFETCH(double, overlap);
        QFETCH(int, pieces);
        const Tiling tiling =
            Tiling::arrange(Pattern::develop(funnelDesign(angle, 85, mouth), {10, 0, pieces}),
                            {*paperNamed(paper.toStdString()), 5, overlap});
        const std::vector<QImage> rendered = linesOnlyPages(tiling);
        QCOMPARE(rendered.size(), tiling.sheets().size());
        for (std::size_t i = 0; i < rendered.size(); ++i) {
            const Sheet& sheet = tiling.sheets()[i];
            const QImage& page = rendered[i];
            const auto placed = templ::sheetTexts(tiling, sheet);
            const int neighbours = int(!sheet.left.empty()) + int(!sheet.right.empty()) +
                                   int(!sheet.above.empty()) + int(!sheet.below.empty());
            QCOMPARE(int(placed.size()), 1 + neighbours);
            QCOMPARE(placed.front().text, QString::fromStdString(sheet.label));
            for (const templ::SheetText& text : placed) {
                const QRectF box = text.box.adjusted(-0.5, -0.5, 0.5, 0.5);
                const QRect pixels(qRound(box.left() * pxPerMm), qRound(box.top() * pxPerMm),
                                   qRound(box.width() * pxPerMm), qRound(box.height() * pxPerMm));
                QVERIFY2(darkCount(page, pixels) == 0,
                         qPrintable(QStringLiteral("%1 on %2 lies on a line")
                                        .arg(text.text, QString::fromStdString(sheet.label))));
            }
        }
    }

    // Each sheet, placed at its place on the grid, shows what the pattern drawn whole shows
    // there; neighbours agree in their shared band; together they show the whole pattern.
    void sheetsMakeTheWholePattern_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("mouth");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<double>("overlap");
        QTest::addColumn<double>("seam");
        QTest::addColumn<int>("pieces");
        QTest::newRow("defaults on A4") << 40 << 300 << "A4" << 10.0 << 10.0 << 1;
        QTest::newRow("half disc on Letter, wide overlap")
            << 60 << 170 << "Letter" << 25.0 << 10.0 << 1;
        QTest::newRow("two pieces on A3, no overlap") << 30 << 400 << "A3" << 0.0 << 8.0 << 2;
    }
    void sheetsMakeTheWholePattern() {
        QFETCH(int, angle);
        QFETCH(int, mouth);
        QFETCH(QString, paper);
        QFETCH(double, overlap);
        QFETCH(double, seam);
        QFETCH(int, pieces);
        const Tiling tiling =
            Tiling::arrange(Pattern::develop(funnelDesign(angle, 85, mouth), {seam, 0, pieces}),
                            {*paperNamed(paper.toStdString()), 5, overlap});
        const std::vector<QImage> rendered = linesOnlyPages(tiling);
        QCOMPARE(rendered.size(), tiling.sheets().size());

        // The whole pattern on one picture of the grid.
        const Box grid = tiling.grid();
        QImage whole(int(std::ceil(grid.width() * pxPerMm)) + 2,
                     int(std::ceil(grid.height() * pxPerMm)) + 2, QImage::Format_RGB32);
        whole.fill(Qt::white);
        {
            QPainter painter(&whole);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(pxPerMm, pxPerMm);
            templ::paintPatternLines(painter, tiling.pattern(),
                                     QTransform(1, 0, 0, -1, -grid.left, grid.top));
        }

        const double m = tiling.options().margin;
        std::vector<QImage> pages;
        std::vector<QPoint> offsets; // of each printed area in the whole picture
        QImage covered(whole.size(), QImage::Format_RGB32);
        covered.fill(Qt::white);
        for (std::size_t i = 0; i < rendered.size(); ++i) {
            const Sheet& sheet = tiling.sheets()[i];
            const QImage& page = rendered[i];
            const QRect area(qRound(m * pxPerMm), qRound(m * pxPerMm),
                             int(tiling.areaWidth() * pxPerMm), int(tiling.areaHeight() * pxPerMm));
            // Where the area's top-left corner falls in the whole picture.
            const QPoint offset(qRound((sheet.area.left - grid.left) * pxPerMm),
                                qRound((grid.top - sheet.area.top) * pxPerMm));
            const QImage printed = page.copy(area);
            pages.push_back(printed);
            offsets.push_back(offset);
            const QRect inner = printed.rect().adjusted(2, 2, -2, -2);
            QVERIFY2(unmatched(printed, inner, whole, -offset) <=
                         darkCount(printed, inner) / 200 + 2,
                     qPrintable(QString::fromStdString("sheet " + sheet.label +
                                                       " shows lines the pattern has not")));
            QVERIFY2(unmatched(whole, inner.translated(offset), printed, offset) <=
                         darkCount(printed, inner) / 200 + 2,
                     qPrintable(QString::fromStdString("sheet " + sheet.label +
                                                       " misses lines of the pattern")));
            QPainter painter(&covered);
            painter.drawImage(offset, printed);
        }
        // Neighbours in a row carry the same lines in their shared band.
        const int band = int(overlap * pxPerMm);
        for (std::size_t i = 0; i < pages.size(); ++i)
            for (std::size_t j = 0; j < pages.size(); ++j) {
                const Sheet& s = tiling.sheets()[i];
                const Sheet& t = tiling.sheets()[j];
                if (band < 4 || t.row != s.row || t.column != s.column + 1)
                    continue;
                const QRect shared(pages[i].width() - band + 2, 2, band - 4, pages[i].height() - 4);
                const QPoint shift(pages[i].width() - band, 0);
                QVERIFY2(unmatched(pages[i], shared, pages[j], shift) <=
                             darkCount(pages[i], shared) / 100 + 2,
                         qPrintable(QString::fromStdString(s.label + " and " + t.label +
                                                           " differ in their band")));
            }
        // Nothing of the pattern is on no sheet.
        const QRect all = whole.rect().adjusted(1, 1, -1, -1);
        QVERIFY(darkCount(whole, all) > 1000);
        QVERIFY2(unmatched(whole, all, covered, {}) <= darkCount(whole, all) / 200 + 2,
                 "lines on no sheet");
    }
};

QTEST_MAIN(TestTemplatePdf)
#include "tst_templatepdf.moc"
