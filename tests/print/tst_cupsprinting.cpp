#include "diagrams/Drawings.h"
#include "diagrams/LabelSlots.h"
#include "print/PrintDiagram.h"
#include "print/PrintSystem.h"
#include "print/Printer.h"
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

namespace {

// The private scheduler lives in the build folder; the script sets it up and stops it.
const QString schedulerDir = QStringLiteral(VLNOKAN_PRINT_TEST_DIR "/cups");
const QString script = QStringLiteral(VLNOKAN_PRINT_SCRIPT);
const QString pdfDir = schedulerDir + "/pdf";

int runScript(const QString& action) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start("bash", {script, action, schedulerDir});
    if (!process.waitForFinished(60000)) {
        process.kill();
        return -1;
    }
    return process.exitCode();
}

QStringList pdfFiles() {
    return QDir(pdfDir).entryList({"*.pdf"}, QDir::Files, QDir::Time | QDir::Reversed);
}

// Waits until count PDF files are there and the newest is complete (cups-pdf writes it whole
// before handing it over, but the size may still grow for a moment).
bool waitForPdfs(int count) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        if (pdfFiles().size() >= count) {
            QTest::qWait(300);
            return true;
        }
        QTest::qWait(100);
    }
    return false;
}

QString pdfInfo(const QString& file, const QString& key) {
    QProcess info;
    info.start("pdfinfo", {file});
    info.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed();
    return {};
}

// The top-left part of the page at the printer's resolution, without smoothing.
QImage rasterise(const QString& file, int dpi, QSize part) {
    const QString prefix = QDir(VLNOKAN_PRINT_TEST_DIR).filePath("page");
    QProcess raster;
    raster.start("pdftoppm", {"-r", QString::number(dpi), "-aa", "no", "-aaVector", "no", "-x", "0",
                              "-y", "0", "-W", QString::number(part.width()), "-H",
                              QString::number(part.height()), "-singlefile", "-png", file, prefix});
    raster.waitForFinished(120000);
    if (!raster.waitForFinished(0) && raster.state() != QProcess::NotRunning)
        raster.kill();
    return QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
}

// The first difference from the picture printed in sx × sy blocks at origin: the middle of each
// block has the pixel's colour, or stays paper white where the pixel is white, and nothing is
// printed outside the blocks. The page description rounds block edges to the nearest dot, so the
// edges may move by one dot. Empty when none.
QString firstDifference(const Diagram& picture, const QImage& page, QPoint origin, int sx, int sy) {
    const QRgb white = qRgb(255, 255, 255);
    const QRgb transparent = picture.transparentColour();
    for (int y = 0; y < picture.size().height(); ++y)
        for (int x = 0; x < picture.size().width(); ++x) {
            const QPoint middle = origin + QPoint(x * sx + sx / 2, y * sy + sy / 2);
            const QRgb pixel = picture.pixels().pixel(x, y);
            const QRgb expected = pixel == transparent ? white : pixel;
            if (page.pixel(middle) != expected)
                return QStringLiteral("pixel (%1, %2) printed %3, not %4")
                    .arg(x)
                    .arg(y)
                    .arg(QColor(page.pixel(middle)).name(), QColor(expected).name());
        }
    const QRect printed(origin - QPoint(1, 1),
                        QSize(picture.size().width() * sx + 2, picture.size().height() * sy + 2));
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (!printed.contains(x, y) && page.pixel(x, y) != white)
                return QStringLiteral("dot (%1, %2) outside the picture").arg(x).arg(y);
    return {};
}

} // namespace

class TestCupsPrinting final : public QObject {
    Q_OBJECT

    bool m_started = false;

private slots:
    void initTestCase() {
        // The tests see only the private scheduler and no user's own printer choice.
        QDir(VLNOKAN_PRINT_TEST_DIR).mkpath("home");
        QDir(VLNOKAN_PRINT_TEST_DIR).mkpath("runtime");
        QFile::setPermissions(VLNOKAN_PRINT_TEST_DIR "/runtime",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QByteArray(VLNOKAN_PRINT_TEST_DIR "/runtime"));
        qputenv("HOME", QByteArray(VLNOKAN_PRINT_TEST_DIR "/home"));
        qputenv("CUPS_SERVER", QFile::encodeName(schedulerDir + "/cups.sock"));
        const int started = runScript("start");
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
