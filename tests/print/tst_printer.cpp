#include "diagrams/Drawings.h"
#include "diagrams/Diagram.h"
#include "print/PrintDiagram.h"
#include "print/Printer.h"
#include "tests/support/Faults.h"

#include <QImage>
#include <QTest>

#include <functional>

using namespace vlnokan;

namespace {

constexpr QRgb paper = qRgb(250, 240, 200);

// A printer whose page is an image in memory and whose settings the test changes as it goes.
struct StandIn final : PrintSystem, PrinterDevice {
    QString name = QStringLiteral("Laser");
    bool unreachable = false;
    bool openFails = false;
    bool startFails = false;
    bool sendFails = false;
    QString sendFailure;
    int dpiX = 600;
    int dpiY = 600;
    QImage page;
    QList<QImage> sent;
    QStringList documentNames;
    std::function<void()> whileSending;

    QString defaultPrinter() override {
        if (unreachable)
            throw EOSError(111, "Connection refused");
        return name;
    }
    std::unique_ptr<PrinterDevice> open(const QString&) override {
        if (openFails)
            return nullptr;
        struct Handle final : PrinterDevice {
            explicit Handle(StandIn& to) : device(to) {}
            int dotsPerInchX() const override { return device.dotsPerInchX(); }
            int dotsPerInchY() const override { return device.dotsPerInchY(); }
            QPaintDevice* startDocument(const QString& n) override {
                return device.startDocument(n);
            }
            bool sendDocument() override { return device.sendDocument(); }
            QString sendFailure() const override { return device.sendFailure; }
            StandIn& device;
        };
        return std::make_unique<Handle>(*this);
    }
    int dotsPerInchX() const override { return dpiX; }
    int dotsPerInchY() const override { return dpiY; }
    QPaintDevice* startDocument(const QString& documentName) override {
        if (startFails)
            return nullptr;
        documentNames << documentName;
        page = QImage(3200, 1800, QImage::Format_RGB32);
        page.fill(paper);
        return &page;
    }
    bool sendDocument() override {
        if (whileSending)
            std::exchange(whileSending, nullptr)();
        sent << page;
        return !sendFails;
    }
};

// The first page pixel that differs from the picture printed in blocks of sx × sy at the
// top-left, white left as paper and nothing outside; empty when none.
QString firstDifference(const Diagram& picture, const QImage& page, int sx, int sy) {
    const QRgb transparent = toQRgb(picture.transparentColour());
    const QImage pixels = toImage(picture);
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QPoint source(x / sx, y / sy);
            QRgb expected = paper;
            if (pixels.rect().contains(source) &&
                pixels.pixel(source) != transparent)
                expected = pixels.pixel(source);
            if (page.pixel(x, y) != expected)
                return QStringLiteral("(%1, %2)").arg(x).arg(y);
        }
    return {};
}

} // namespace

class TestPrinter final : public QObject {
    Q_OBJECT

private slots:
    void beginFailures_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("message");
        QTest::newRow("no default printer") << "noDefault"
                                            << "There is no default printer currently selected";
        QTest::newRow("scheduler down") << "unreachable"
                                        << "System Error.  Code: 111.\r\nConnection refused";
        QTest::newRow("printer cannot be opened") << "openFails"
                                                  << "Printer selected is not valid";
        QTest::newRow("document cannot start") << "startFails"
                                               << "Printer could not start the document";
    }
    void beginFailures() {
        QFETCH(QString, setting);
        QFETCH(QString, message);
        StandIn system;
        system.name = setting == "noDefault" ? QString() : system.name;
        system.unreachable = setting == "unreachable";
        system.openFails = setting == "openFails";
        system.startFails = setting == "startFails";
        PrintSystemSeam::Replacement guard(system);
        TPrinter printer;
        QCOMPARE(test::outcomeOf([&] { printer.beginDoc(); }).message, message);
        QVERIFY(!printer.printing());
        QCOMPARE(printer.pageNumber(), 0);
        QVERIFY(system.sent.isEmpty());
        // The next command looks again and succeeds once the printer is there.
        system = StandIn();
        printer.beginDoc();
        QVERIFY(printer.printing());
        QCOMPARE(printer.pageNumber(), 1);
        printer.endDoc();
        QCOMPARE(system.sent.size(), 1);
    }

    void documentState() {
        StandIn system;
        PrintSystemSeam::Replacement guard(system);
        TPrinter printer;
        QCOMPARE(test::outcomeOf([&] { printer.endDoc(); }).message,
                 "Printer is not currently printing");
        QCOMPARE(test::outcomeOf([&] { printer.canvas(); }).message,
                 "Printer is not currently printing");
        printer.beginDoc();
        QCOMPARE(test::outcomeOf([&] { printer.beginDoc(); }).message, "Printing in progress");
        QVERIFY(printer.printing());
        printer.endDoc();
        // The printer found first stays, whatever the system's default becomes.
        system.name = QStringLiteral("Other");
        printer.beginDoc();
        printer.endDoc();
        QCOMPARE(printer.printerName(), QStringLiteral("Laser"));
        QCOMPARE(system.documentNames, QStringList({QString(), QString()}));
        QCOMPARE(system.sent.size(), 2);
    }

    void scale_data() {
        QTest::addColumn<bool>("can");
        QTest::addColumn<int>("dpiX");
        QTest::addColumn<int>("dpiY");
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("sx");
        QTest::addColumn<int>("sy");
        QTest::newRow("can, 600 dpi, 96 window") << true << 600 << 600 << 96 << 6 << 6;
        QTest::newRow("funnel, 600 x 300 dpi") << false << 600 << 300 << 96 << 6 << 3;
        QTest::newRow("can, 360 dpi truncated to 3") << true << 360 << 360 << 96 << 3 << 3;
        QTest::newRow("funnel, 120 dpi window") << false << 600 << 600 << 120 << 5 << 5;
        QTest::newRow("can, 72 dpi printer keeps factor 1") << true << 72 << 72 << 96 << 1 << 1;
        QTest::newRow("funnel, 72 x 600 dpi") << false << 72 << 600 << 96 << 1 << 6;
    }
    void scale() {
        QFETCH(bool, can);
        QFETCH(int, dpiX);
        QFETCH(int, dpiY);
        QFETCH(int, window);
        QFETCH(int, sx);
        QFETCH(int, sy);
        Diagram canPicture = makeCanDiagram();
        Diagram funnelPicture = makeFunnelDiagram();
        LabelSlots labels(canPicture, funnelPicture);
        labels.write(Slot::CanD, "74,20");
        labels.write(Slot::OuterChord, "312");
        const Diagram& picture = can ? canPicture : funnelPicture;

        StandIn system;
        system.dpiX = dpiX;
        system.dpiY = dpiY;
        PrintSystemSeam::Replacement guard(system);
        printDiagram(picture, window);
        QCOMPARE(system.sent.size(), 1);
        QCOMPARE(firstDifference(picture, system.sent.front(), sx, sy), QString());
        QVERIFY(!TPrinter::shared().printing());
    }

    void faultsAfterBegin_data() {
        QTest::addColumn<int>("dpiX");
        QTest::addColumn<int>("dpiY");
        QTest::addColumn<bool>("sendFails");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("reason");
        QTest::newRow("width overflows") << 1 << 0x7fffffff << false << "Integer overflow"
                                         << "";
        QTest::newRow("height overflows") << 0x7fffffff << 1 << false << "Integer overflow"
                                          << "";
        QTest::newRow("job refused without a reason")
            << 600 << 600 << true << "Print job could not be sent to the printer"
            << "";
        QTest::newRow("job refused with the print system's reason")
            << 600 << 600 << true
            << "Print job could not be sent to the printer.\nDestination \"Laser\" is not "
               "accepting jobs."
            << "Destination \"Laser\" is not accepting jobs.";
    }
    void faultsAfterBegin() {
        QFETCH(int, dpiX);
        QFETCH(int, dpiY);
        QFETCH(bool, sendFails);
        QFETCH(QString, message);
        QFETCH(QString, reason);
        StandIn system;
        system.sendFailure = reason;
        system.dpiX = dpiX;
        system.dpiY = dpiY;
        system.sendFails = sendFails;
        PrintSystemSeam::Replacement guard(system);
        QCOMPARE(test::outcomeOf([] { printDiagram(makeFunnelDiagram(), 96); }).message, message);
        // The page went out before the fault was reported, and the next command may print.
        QCOMPARE(system.sent.size(), 1);
        QVERIFY(!TPrinter::shared().printing());
        QCOMPARE(TPrinter::shared().pageNumber(), 0);
    }

    void overflowOrder() {
        QCOMPARE(printedSize({454, 222}, {6, 6}), QSize(2724, 1332));
        QCOMPARE(test::outcomeOf([] {
                     printedSize({454, 222}, {0x7fffffff, 0x7fffffff});
                 }).kind,
                 "EIntOverflow");
    }

    void secondCommandWhileSending() {
        StandIn system;
        PrintSystemSeam::Replacement guard(system);
        const Diagram can = makeCanDiagram();
        test::Outcome second;
        system.whileSending = [&] { second = test::outcomeOf([&] { printDiagram(can, 96); }); };
        printDiagram(can, 96);
        QCOMPARE(second.message, "Printing in progress");
        QCOMPARE(system.sent.size(), 1);
        QCOMPARE(firstDifference(can, system.sent.front(), 6, 6), QString());
    }
};

QTEST_MAIN(TestPrinter)
#include "tst_printer.moc"
