#include "diagrams/Drawings.h"
#include "diagrams/LabelSlots.h"
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
        labels.write(Slot::CanD, QStringLiteral("74,20"));
        labels.write(Slot::CanLg4, QStringLiteral("48,31"));
        labels.write(Slot::OuterChord, QStringLiteral("312"));
        labels.write(Slot::SectorAngle, QStringLiteral("97,4"));
        const Diagram& picture = can ? canPicture : funnelPicture;

        const int before = pdfFiles().size();
        printDiagram(picture, window);
        QVERIFY2(waitForPdfs(before + 1), "no PDF from the print queue within 30 s");
        const QString file = pdfDir + '/' + pdfFiles().last();
        QCOMPARE(pdfInfo(file, "Pages"), QStringLiteral("1"));

        const QPrinter queue(QPrinterInfo::printerInfo(TPrinter::shared().printerName()),
                             QPrinter::HighResolution);
        const int dpi = queue.resolution();
        const QPoint origin = queue.pageLayout().paintRectPixels(dpi).topLeft();
        const int factor = std::max(1, dpi / window);
        const QSize part(origin.x() + picture.size().width() * factor + 50,
                         origin.y() + picture.size().height() * factor + 50);
        const QImage page = rasterise(file, dpi, part);
        QCOMPARE(page.size(), part);
        QCOMPARE(firstDifference(picture, page, origin, factor, factor), QString());
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
