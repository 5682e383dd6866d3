#include "Pixels.h"
#include "Reference.h"

#include "calc/CalculateCommand.h"
#include "core/Faults.h"
#include "diagrams/DiagramFont.h"
#include "diagrams/Drawings.h"
#include "diagrams/Diagram.h"
#include "fonts/Fonts.h"
#include "tests/support/DrawingView.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QTest>

#include <array>

using namespace vlnokan;

Q_DECLARE_METATYPE(vlnokan::Slot)

namespace {

Diagram blackDiagram(QSize size, int bitsPerPixel) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    return diagramFromImage(image, bitsPerPixel);
}

bool allWhite(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

} // namespace

class TestLabelSlots final : public QObject {
    Q_OBJECT

private slots:
    void textStyle() {
        QCOMPARE(QFontInfo(diagramTextFont()).family(), FreeFonts::familyFor(Face::MsSansSerif));
        QCOMPARE(eightPointPixels(96), 11);
        QCOMPARE(eightPointPixels(120), 13);
        QCOMPARE(eightPointPixels(144), 16);
        QCOMPARE(makeCanDiagram().textCellHeight(), 13);
    }

    // The white cell of a written text starts exactly at its slot and is one cell high.
    void positions_data() {
        QTest::addColumn<Slot>("slot");
        QTest::addColumn<bool>("onCan");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("Lo/4") << Slot::CanLo4 << true << QPoint(222, 157);
        QTest::newRow("Lg/4") << Slot::CanLg4 << true << QPoint(140, 119);
        QTest::newRow("3/4 Lg") << Slot::CanLg34 << true << QPoint(222, 195);
        QTest::newRow("D") << Slot::CanD << true << QPoint(24, 103);
        QTest::newRow("Du") << Slot::CanDu << true << QPoint(410, 103);
        QTest::newRow("outer chord") << Slot::OuterChord << false << QPoint(140, 234);
        QTest::newRow("outer arc") << Slot::OuterArc << false << QPoint(140, 208);
        QTest::newRow("sector angle") << Slot::SectorAngle << false << QPoint(120, 174);
        QTest::newRow("inner arc") << Slot::InnerArc << false << QPoint(140, 70);
        QTest::newRow("inner chord") << Slot::InnerChord << false << QPoint(160, 10);
        QTest::newRow("inner radius") << Slot::InnerRadius << false << QPoint(140, 40);
        QTest::newRow("outer radius") << Slot::OuterRadius << false << QPoint(80, 120);
        QTest::newRow("apex to inner chord") << Slot::ApexToInnerChord << false << QPoint(270, 20);
        QTest::newRow("between chords") << Slot::BetweenChords << false << QPoint(270, 110);
    }
    void positions() {
        QFETCH(Slot, slot);
        QFETCH(bool, onCan);
        QFETCH(QPoint, topLeft);
        Diagram can = blackDiagram({454, 222}, 1);
        Diagram funnel = blackDiagram({299, 257}, 4);
        LabelSlots(can, funnel).write(slot, "= 8");
        QCOMPARE(onCan ? funnel.revision() : can.revision(), std::uint64_t(0));
        const QImage& image = toImage((onCan ? can : funnel));
        QRect cell;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(255, 255, 255))
                    cell = cell.united(QRect(x, y, 1, 1));
        QCOMPARE(cell.topLeft(), topLeft);
        QCOMPARE(cell.height(), 13);
    }

    // Blanking runs over the slots in a fixed order: funnel, can, then the funnel's heights.
    void blankingOrder() {
        Diagram can = blackDiagram({454, 222}, 1);
        Diagram funnel = blackDiagram({299, 257}, 4);
        QStringList order;
        const auto record = [&](const Diagram& diagram, const QString& drawing) {
            const QImage pixels = toImage(diagram);
            for (const auto& [name, at] : std::initializer_list<std::pair<const char*, QPoint>>{
                     {"Lo/4", {222, 157}},
                     {"Lg/4", {140, 119}},
                     {"3/4 Lg", {222, 195}},
                     {"D", {24, 103}},
                     {"Du", {410, 103}},
                     {"outer chord", {140, 234}},
                     {"outer arc", {140, 208}},
                     {"sector angle", {120, 174}},
                     {"inner arc", {140, 70}},
                     {"inner chord", {160, 10}},
                     {"inner radius", {140, 40}},
                     {"outer radius", {80, 120}},
                     {"apex to inner chord", {270, 20}},
                     {"between chords", {270, 110}}}) {
                const QString entry = drawing + ' ' + name;
                if (pixels.rect().contains(at) && !order.contains(entry) &&
                    pixels.pixel(at) == qRgb(255, 255, 255))
                    order << entry;
            }
        };
        can.setChangedHandler([&] { record(can, "can"); });
        funnel.setChangedHandler([&] { record(funnel, "funnel"); });
        LabelSlots(can, funnel).blankAll();
        QCOMPARE(order, (QStringList{
                            "funnel outer radius", "funnel inner radius", "funnel inner chord",
                            "funnel inner arc", "funnel sector angle", "funnel outer arc",
                            "funnel outer chord", "can Du", "can Lo/4", "can Lg/4", "can D",
                            "can 3/4 Lg", "funnel between chords", "funnel apex to inner chord"}));
    }

    // The blanks' white cuts the lines under them for good: the first axis dash beside the D
    // slot, the heights line beside the slots at x = 270.
    void blankingCutsLines() {
        Diagram can = makeCanDiagram();
        Diagram funnel = makeFunnelDiagram();
        LabelSlots labelSlots(can, funnel);
        labelSlots.blankAll();
        labelSlots.write(Slot::CanD, "= 85");
        labelSlots.write(Slot::ApexToInnerChord, "59");
        QVERIFY(allWhite(toImage(can), QRect(54, 108, 4, 1)));
        QCOMPARE(pixels::colourAt(toImage(can), {27, 102}), QStringLiteral("#000000"));
        QVERIFY(allWhite(toImage(funnel), QRect(295, 20, 1, 13)));
        QCOMPARE(pixels::colourAt(toImage(funnel), {295, 19}), QStringLiteral("#000000"));
    }

    // Text past the right edge is cut off there, neither wrapped nor moved.
    void clippedAtTheRightEdge() {
        Diagram can = makeCanDiagram();
        Diagram funnel = makeFunnelDiagram();
        LabelSlots labelSlots(can, funnel);
        labelSlots.write(Slot::CanDu, "Du = 1000");
        QCOMPARE(toQSize(can.size()), QSize(454, 222));
        QCOMPARE(toQRect(can.takeTextArea(LabelSlots::position(Slot::CanDu))), QRect(410, 103, 44, 13));
        QCOMPARE(reference::difference(toImage(can).copy(400, 100, 54, 20), "slot-mouth-at-edge"),
                 QString());
    }

    // The figures of a calculation arrive at their slots as the command formats them.
    void figuresFromTheCalculation_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<Slot>("slot");
        QTest::addColumn<QString>("image");
        const QStringList defaults{"2,4", "85", "40", "300"};
        QTest::newRow("sector angle under a comma: alfa = 123,23")
            << defaults << "," << Slot::SectorAngle << "slot-sector-angle-comma";
        QTest::newRow("sector angle under a point: alfa = 123.23")
            << defaults << "." << Slot::SectorAngle << "slot-sector-angle-point";
        QTest::newRow("mouth with its name: Du = 300")
            << defaults << "," << Slot::CanDu << "slot-mouth";
        QTest::newRow("outer chord alone: 771")
            << defaults << "," << Slot::OuterChord << "slot-outer-chord";
        QTest::newRow("negative Lo / 4 with its minus: = -15")
            << QStringList{"-5", "85", "10", "300"} << "," << Slot::CanLo4 << "slot-negative";
        QTest::newRow("slot left blank after a fault")
            << QStringList{"2,4", "", "40", "300"} << "," << Slot::CanD << "slot-blank";
    }
    void figuresFromTheCalculation() {
        QFETCH(QStringList, entries);
        QFETCH(QString, separator);
        QFETCH(Slot, slot);
        QFETCH(QString, image);
        Diagram can = makeCanDiagram();
        Diagram funnel = makeFunnelDiagram();
        LabelSlots labelSlots(can, funnel);
        test::DrawingView view({entries[0].toStdString(), entries[1].toStdString(),
                                entries[2].toStdString(), entries[3].toStdString()},
                               labelSlots);
        try {
            CalculateCommand(view, separator.toStdString()).run();
        } catch (const Exception&) {
        }
        // The slot with a pixel of the drawing around it on three sides and the line beyond it.
        const bool onCan = LabelSlots::onCanDrawing(slot);
        const QImage& got = toImage((onCan ? can : funnel));
        const QRect area =
            QRect(toQPoint(LabelSlots::position(slot)) - QPoint(1, 1), QSize(82, 15)) & got.rect();
        QCOMPARE(reference::difference(got.copy(area), image), QString());
    }

    // Blanking erases everything the slot's last figure covered, even beyond the blanks.
    void noStaleDigits_data() {
        QTest::addColumn<Slot>("slot");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("image");
        QTest::newRow("shorter sector angle") << Slot::SectorAngle << "alfa = 123,23"
                                              << "alfa = 93,12"
                                              << "stale-sector-angle";
        QTest::newRow("shorter mouth at the edge") << Slot::CanDu << "Du = 1000"
                                                   << "Du = 30"
                                                   << "stale-mouth";
        QTest::newRow("figure left blank") << Slot::OuterArc << "l = 94212345"
                                           << ""
                                           << "stale-outer-arc";
    }
    void noStaleDigits() {
        QFETCH(Slot, slot);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, image);
        Diagram can = makeCanDiagram();
        Diagram funnel = makeFunnelDiagram();
        Diagram& drawing = LabelSlots::onCanDrawing(slot) ? can : funnel;
        LabelSlots labelSlots(can, funnel);
        labelSlots.blankAll();
        const QRect old = toQRect(drawing.writeText(LabelSlots::position(slot), toUtf8(before)));
        labelSlots.blankAll();
        QVERIFY(allWhite(toImage(drawing), old));
        labelSlots.write(slot, toUtf8(after));
        QCOMPARE(reference::difference(toImage(drawing).copy(old.adjusted(-1, -1, 1, 1)), image),
                 QString());
    }
};

QTEST_MAIN(TestLabelSlots)
#include "tst_labelslots.moc"
