#include "pattern/Tiling.h"
#include "template/SheetPainter.h"
#include "template/TemplatePrinter.h"
#include "tests/print/PrintTestSupport.h"
#include "tests/template/TemplateTestSupport.h"

#include <QRegularExpression>

using namespace vlnokan;
using namespace vlnokan::test;

// The template printed on the private cups-pdf queue: the spooled pages are the paper's size and
// the scale bar still measures 100 mm.
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

    void printsAtTrueSize() {
        const auto pattern = pattern::Pattern::develop(funnelDesign(40, 85, 300), {});
        const int before = pdfFiles().size();
        const pattern::Tiling tiling = templ::printTemplate(pattern, 10);
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
        const auto& paper = tiling.options().paper;
        // The paper as it lies in the tray, also for sheets laid landscape.
        QVERIFY2(std::abs(width - paper.width) < 0.5 && std::abs(height - paper.height) < 0.5,
                 qPrintable(QStringLiteral("%1 x %2 mm").arg(width).arg(height)));

        // The first pattern sheet at 600 dpi, cut around the scale bar. Sheets laid landscape
        // go to the portrait paper turned a quarter clockwise, the bar then running downward.
        const int dpi = 600;
        const double px = dpi / 25.4;
        const QRectF bar = templ::scaleBarRect(tiling, tiling.sheets().front());
        const QRectF onPaper = tiling.landscape() ? QRectF(paper.width - bar.bottom(), bar.left(),
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
