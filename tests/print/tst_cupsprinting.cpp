#include "diagrams/DiagramView.h"
#include "diagrams/Drawings.h"
#include "diagrams/Diagram.h"
#include "print/PrintDiagram.h"
#include "print/PrintSystem.h"
#include "print/Printer.h"
#include "tests/print/PrintTestSupport.h"
#include "tests/support/Faults.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTest>
#include <QTimer>

using namespace vlnokan;
using namespace vlnokan::test;

namespace {

bool runCups(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

class TestCupsPrinting final : public QObject {
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

    void printsPictureAsItStands_data() {
        QTest::addColumn<bool>("can");
        QTest::addColumn<int>("window");
        QTest::newRow("can drawing, 96 dpi window") << true << 96;
        QTest::newRow("funnel drawing, 120 dpi window") << false << 120;
    }
    void printsPictureAsItStands() {
        QFETCH(bool, can);
        QFETCH(int, window);
        Diagram canPicture = makeCanDiagram();
        Diagram funnelPicture = makeFunnelDiagram();
        LabelSlots labels(canPicture, funnelPicture);
        labels.blankAll();
        labels.write(Slot::CanD, "74,20");
        labels.write(Slot::CanLg4, "48,31");
        labels.write(Slot::OuterChord, "312");
        labels.write(Slot::SectorAngle, "97,4");
        const Diagram& picture = can ? canPicture : funnelPicture;

        const int before = pdfFiles().size();
        printDiagram(picture, window);
        QVERIFY2(waitForPdfs(before + 1), "no PDF from the print queue within a minute");
        const QString file = pdfDir + '/' + pdfFiles().last();
        QCOMPARE(pdfInfo(file, "Pages"), QStringLiteral("1"));

        // The queue prints at 300 dpi by default and all over the sheet: the picture at the
        // page's corner in blocks of 300 / window dots, checked at 1200 dpi.
        const int block = 300 / window * 4;
        const QSize part(picture.width() * block + 50, picture.height() * block + 50);
        const QImage page = rasterise(file, 1200, part);
        QCOMPARE(page.size(), part);
        QCOMPARE(firstDifference(picture, page, QPoint(0, 0), block, block), QString());
    }

    // Each queue at its own default resolution (not the finest it lists), with the picture at
    // the corner of its printable area (not 10 points inside it).
    void queuesPrintAtTheirDefaults_data() {
        QTest::addColumn<QString>("queue");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QPoint>("cornerInPoints");
        QTest::newRow("whole sheet, 300 dpi") << "vlnokan-pdf" << 300 << QPoint(0, 0);
        QTest::newRow("border of 18 and 36 points, 600 dpi")
            << "vlnokan-margins" << 600 << QPoint(18, 36);
        // 240 x 120 dots per centimetre are 610 x 305 dpi: printed at 305 on both axes, so the
        // picture keeps its proportions.
        QTest::newRow("240 x 120 dots per centimetre") << "vlnokan-dpcm" << 305 << QPoint(0, 0);
    }
    void queuesPrintAtTheirDefaults() {
        QFETCH(QString, queue);
        QFETCH(int, dpi);
        QFETCH(QPoint, cornerInPoints);
        const std::unique_ptr<PrinterDevice> device = CupsPrintSystem().open(queue);
        QVERIFY(device);
        QCOMPARE(device->dotsPerInchX(), dpi);
        QCOMPARE(device->dotsPerInchY(), dpi);
        const Diagram picture = makeFunnelDiagram();
        const int factor = dpi / 96;
        const int before = pdfFiles().size();
        {
            QPainter painter(device->startDocument(QString()));
            paintTransparent(painter, QPoint(0, 0), picture, factor, factor);
        }
        QVERIFY(device->sendDocument());
        QVERIFY2(waitForPdfs(before + 1), "no PDF from the print queue within a minute");
        const QString file = pdfDir + '/' + pdfFiles().last();
        // Checked at a whole multiple of the queue's resolution near 1200 dpi.
        const int rasterDpi = dpi * (1200 / dpi);
        const QPoint origin = cornerInPoints * rasterDpi / 72;
        const int block = factor * (1200 / dpi);
        const QSize part(origin.x() + picture.width() * block + 50,
                         origin.y() + picture.height() * block + 50);
        QCOMPARE(firstDifference(picture, rasterise(file, rasterDpi, part), origin, block, block),
                 QString());
    }

    // The plain Qt printing used where there is no CUPS, tried on the same queues: the picture
    // at the corner of the printable area too, in blocks of the resolution Qt reports.
    void plainQtPrinting_data() {
        QTest::addColumn<QString>("queue");
        QTest::addColumn<QPoint>("cornerInPoints");
        QTest::newRow("whole sheet") << "vlnokan-pdf" << QPoint(0, 0);
        QTest::newRow("border of 18 and 36 points") << "vlnokan-margins" << QPoint(18, 36);
    }
    void plainQtPrinting() {
        QFETCH(QString, queue);
        QFETCH(QPoint, cornerInPoints);
        QtPrintSystem system;
        QCOMPARE(system.defaultPrinter(), QStringLiteral("vlnokan-pdf"));
        const std::unique_ptr<PrinterDevice> device = system.open(queue);
        QVERIFY(device);
        const int dpi = device->dotsPerInchX();
        QVERIFY(dpi >= 300);
        const Diagram picture = makeCanDiagram();
        const int factor = dpi / 96;
        const int before = pdfFiles().size();
        {
            QPainter painter(device->startDocument(QString()));
            paintTransparent(painter, QPoint(0, 0), picture, factor, factor);
        }
        QVERIFY(device->sendDocument());
        QVERIFY2(waitForPdfs(before + 1), "no PDF from the print queue within a minute");
        const QString file = pdfDir + '/' + pdfFiles().last();
        const QPoint origin = cornerInPoints * dpi / 72;
        const QSize part(origin.x() + picture.width() * factor + 50,
                         origin.y() + picture.height() * factor + 50);
        QCOMPARE(firstDifference(picture, rasterise(file, dpi, part), origin, factor, factor),
                 QString());
    }

    // A queue that does not accept jobs: the box says why, in lp's words, on a second line.
    void refusedJobSaysWhy() {
        QVERIFY(runCups("cupsreject", {"-r", "Out of paper", "vlnokan-pdf"}));
        const test::Outcome outcome = test::outcomeOf([] { printDiagram(makeCanDiagram(), 96); });
        QVERIFY(runCups("cupsaccept", {"vlnokan-pdf"}));
        QCOMPARE(outcome.message, QStringLiteral("Print job could not be sent to the printer.\n"
                                                 "Destination \"vlnokan-pdf\" is not accepting "
                                                 "jobs."));
        QVERIFY(!TPrinter::shared().printing());
    }

    void twoCommandsTwoDocuments() {
        const int before = pdfFiles().size();
        printDiagram(makeCanDiagram(), 96);
        printDiagram(makeFunnelDiagram(), 96);
        QVERIFY(waitForPdfs(before + 2));
        const QStringList files = pdfFiles();
        QCOMPARE(files.size(), before + 2);
        for (const QString& file : files.mid(before))
            QCOMPARE(pdfInfo(pdfDir + '/' + file, "Pages"), QStringLiteral("1"));
    }

    void secondCommandWhileSending() {
        const int before = pdfFiles().size();
        const Diagram funnel = makeFunnelDiagram();
        test::Outcome second;
        // Runs in the event loop that keeps the window alive while the job is handed over.
        QTimer::singleShot(0, this,
                           [&] { second = test::outcomeOf([&] { printDiagram(funnel, 96); }); });
        printDiagram(makeCanDiagram(), 96);
        QCOMPARE(second.message, QStringLiteral("Printing in progress"));
        QVERIFY(waitForPdfs(before + 1));
        QTest::qWait(1000);
        QCOMPARE(pdfFiles().size(), before + 1);
    }

    void schedulerDown() {
        runScript("stop");
        m_started = false;
        const test::Outcome outcome = test::outcomeOf([] { CupsPrintSystem().defaultPrinter(); });
        QVERIFY2(outcome.message.startsWith("System Error.  Code: "), qPrintable(outcome.message));
        QVERIFY(outcome.message.contains("\r\n"));
    }
};

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
