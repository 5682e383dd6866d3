#include "pattern/Tiling.h"
#include "template/SheetPainter.h"
#include "template/TemplatePrinter.h"
#include "tests/print/PrintTestSupport.h"
#include "tests/template/TemplateTestSupport.h"

#include <QRegularExpression>

using namespace vlnokan;
using namespace vlnokan::test;

namespace {

// The real CUPS print system, but with the queue the test names as the default printer.
class QueueChoice final : public templ::TemplatePrintSystem {
public:
    explicit QueueChoice(QString queue) : m_queue(std::move(queue)) {}
    QString defaultPrinter() override { return m_queue; }
    std::optional<templ::PrinterPaper> paperOf(const QString& printer) override {
        return m_cups.paperOf(printer);
    }
    QString send(const QString& printer, const QString& pdfPath, const QString& title) override {
        return m_cups.send(printer, pdfPath, title);
    }

private:
    QString m_queue;
    templ::CupsTemplatePrintSystem m_cups;
};

// The first dot that is not paper white outside the printable area (margins in mm), on any page.
QString inkOutside(const QString& file, QMarginsF margins) {
    const int dpi = 50;
    const QString prefix = QDir(VLNOKAN_PRINT_TEST_DIR).filePath("ink");
    for (const QString& old : QDir(VLNOKAN_PRINT_TEST_DIR).entryList({"ink-*.png"}))
        QFile::remove(QDir(VLNOKAN_PRINT_TEST_DIR).filePath(old));
    QProcess raster;
    raster.start("pdftoppm", {"-r", QString::number(dpi), "-aa", "no", "-aaVector", "no", "-png",
                              file, prefix});
    if (!raster.waitForFinished(120000))
        return QStringLiteral("pdftoppm did not finish");
    const QStringList pages =
        QDir(VLNOKAN_PRINT_TEST_DIR).entryList({"ink-*.png"}, QDir::Files, QDir::Name);
    const double px = dpi / 25.4;
    for (const QString& name : pages) {
        const QImage page = QImage(QDir(VLNOKAN_PRINT_TEST_DIR).filePath(name))
                                .convertToFormat(QImage::Format_RGB32);
        // A dot on the border of the printable area may be rounded either way.
        const QRectF printable(margins.left() * px - 1, margins.top() * px - 1,
                               page.width() - (margins.left() + margins.right()) * px + 2,
                               page.height() - (margins.top() + margins.bottom()) * px + 2);
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (!printable.contains(x + 0.5, y + 0.5) && qGray(page.pixel(x, y)) < 200)
                    return QStringLiteral("%1: dot (%2, %3)").arg(name).arg(x).arg(y);
    }
    return pages.isEmpty() ? QStringLiteral("no pages") : QString();
}

} // namespace

// The template printed on private cups-pdf queues: on each queue's own default paper, every dot
// within the area the queue says it can print, and the scale bar still 100 mm.
class TestTemplatePrinting final : public QObject {
    Q_OBJECT

    bool m_started = false;

private slots:
    void initTestCase() {
        const int started = startPrivateScheduler();
        if (started == 77)
            QSKIP("the private cups-pdf queue needs root");
        QCOMPARE(started, 0);
        m_started = true;
    }
    void cleanupTestCase() {
        if (m_started)
            runScript("stop");
    }

    void printsAtTrueSize_data() {
        QTest::addColumn<QString>("queue");
        QTest::addColumn<QSizeF>("paper");      // mm, as the queue's PPD gives it
        QTest::addColumn<QMarginsF>("margins"); // pt unprintable: left, top, right, bottom
        QTest::newRow("A4 without a border") << "vlnokan-pdf" << QSizeF(210, 297) << QMarginsF();
        QTest::newRow("A4 with a border")
            << "vlnokan-margins" << QSizeF(210, 297) << QMarginsF(18, 36, 18, 36);
        QTest::newRow("Letter with a border")
            << "vlnokan-letter" << QSizeF(215.9, 279.4) << QMarginsF(18, 36, 18, 18);
    }
    void printsAtTrueSize() {
        QFETCH(QString, queue);
        QFETCH(QSizeF, paper);
        QFETCH(QMarginsF, margins);
        QueueChoice choice(queue);
        const templ::TemplatePrintSeam::Replacement replacement(choice);
        const auto pattern = pattern::Pattern::develop(funnelDesign(40, 85, 300), {});
        const int before = pdfFiles().size();
        const pattern::Tiling tiling = templ::printTemplate(pattern, 10);
        QCOMPARE(tiling.options().paper.width, paper.width());
        QCOMPARE(tiling.options().paper.height, paper.height());
        QVERIFY2(waitForPdfs(before + 1), "no PDF from the print queue within 30 s");
        const QString file = pdfDir + '/' + pdfFiles().last();
        // cups-pdf writes the pages one after another into the file it has made.
        QVERIFY(QTest::qWaitFor([&] { return pdfInfo(file, "Pages").toInt() > 0; }, 30000));
        QCOMPARE(pdfInfo(file, "Pages").toInt(), int(tiling.sheets().size()) + 1);

        const auto size = QRegularExpression(QStringLiteral("([0-9.]+) x ([0-9.]+) pts"))
                              .match(pdfInfo(file, "Page size"));
        QVERIFY(size.hasMatch());
        const double width = size.captured(1).toDouble() * 25.4 / 72;
        const double height = size.captured(2).toDouble() * 25.4 / 72;
        // The paper as it lies in the tray, also for sheets laid landscape.
        QVERIFY2(std::abs(width - paper.width()) < 0.5 && std::abs(height - paper.height()) < 0.5,
                 qPrintable(QStringLiteral("%1 x %2 mm").arg(width).arg(height)));
        // Nothing falls on the border the printer cannot print: no cross or line is cut off.
        const QString outside = inkOutside(file, margins * (25.4 / 72));
        QVERIFY2(outside.isEmpty(), qPrintable(outside));

        // The first pattern sheet at 600 dpi, cut around the scale bar. Sheets laid landscape
        // go to the portrait paper turned a quarter clockwise, the bar then running downward.
        const int dpi = 600;
        const double px = dpi / 25.4;
        const QRectF bar = templ::scaleBarRect(tiling, tiling.sheets().front());
        const QRectF onPaper = tiling.landscape() ? QRectF(paper.width() - bar.bottom(), bar.left(),
                                                           bar.height(), bar.width())
                                                  : bar;
        const QRectF around = onPaper.adjusted(-3, -3, 3, 3);
        const QRect part(int(around.left() * px), int(around.top() * px), int(around.width() * px),
                         int(around.height() * px));
        const QString prefix = QDir(VLNOKAN_PRINT_TEST_DIR).filePath("bar");
        QProcess raster;
        raster.start("pdftoppm", {"-f",          "2",
                                  "-l",          "2",
                                  "-r",          QString::number(dpi),
                                  "-aa",         "no",
                                  "-aaVector",   "no",
                                  "-x",          QString::number(part.x()),
                                  "-y",          QString::number(part.y()),
                                  "-W",          QString::number(part.width()),
                                  "-H",          QString::number(part.height()),
                                  "-singlefile", "-png",
                                  file,          prefix});
        QVERIFY(raster.waitForFinished(120000));
        QImage image = QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
        QVERIFY(!image.isNull());
        if (tiling.landscape())
            image = image.transformed(QTransform().rotate(-90));
        int longest = 0;
        for (int y = 0; y < image.height(); ++y)
            longest = std::max(longest, longestDarkRun(image, y, 0, image.width()));
        QVERIFY2(std::abs(longest / px - 100.0) <= 0.1,
                 qPrintable(QString::number(longest / px, 'f', 3)));
    }
};

QTEST_MAIN(TestTemplatePrinting)
#include "tst_templateprinting.moc"
