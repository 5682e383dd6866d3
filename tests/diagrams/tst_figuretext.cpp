#include "Pixels.h"
#include "Reference.h"

#include "diagrams/DiagramFont.h"
#include "diagrams/Drawings.h"
#include "diagrams/Diagram.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QTest>

using namespace vlnokan;

namespace {

constexpr QRgb white = qRgb(255, 255, 255);

Diagram blackDiagram() {
    QImage image(300, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    return diagramFromImage(image, 1);
}

// The bounding box of the pixels of one colour within area.
QRect boxOf(const QImage& image, const QRect& area, QRgb colour) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

// How many runs of columns holding ink lie side by side in area, white columns between them.
int inkColumnRuns(const QImage& image, const QRect& area) {
    int runs = 0;
    bool inRun = false;
    for (int x = area.left(); x <= area.right(); ++x) {
        bool ink = false;
        for (int y = area.top(); y <= area.bottom(); ++y)
            ink = ink || image.pixel(x, y) != white;
        runs += ink && !inRun ? 1 : 0;
        inRun = ink;
    }
    return runs;
}

} // namespace

// A figure on a drawing: its white cell, where its glyphs stand in the cell, and which pixels of
// the drawing it takes away.
class TestFigureText final : public QObject {
    Q_OBJECT

private slots:
    // The white cell is as wide as the characters' whole-pixel advances together, 13 rows high
    // from the slot's corner.
    void whiteCell_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("sector angle") << "alfa = 123.23" << 63;
        QTest::newRow("fifteen blanks") << QString(15, ' ') << 45;
        QTest::newRow("diameter") << "= 85" << 21;
        QTest::newRow("two ones") << "211" << 18;
    }
    void whiteCell() {
        QFETCH(QString, text);
        QFETCH(int, width);
        Diagram diagram = blackDiagram();
        const QRect covered = toQRect(diagram.writeText({20, 10}, toUtf8(text)));
        QCOMPARE(covered, QRect(20, 10, width, 13));
        const QRect cell = boxOf(toImage(diagram), toImage(diagram).rect(), white);
        QCOMPARE(cell, QRect(20, 10, width, 13));
        // The same sum as the face's own advances, each rounded to a whole pixel.
        const QFontMetrics metrics(diagramTextFont());
        int advances = 0;
        for (QChar character : text)
            advances += metrics.horizontalAdvance(character);
        QCOMPARE(width, advances);
    }

    // Blanking paints exactly fifteen blanks' width white at a slot with nothing written before.
    void blankedCellIsFifteenBlanksWide() {
        QCOMPARE(QString::fromStdString(LabelSlots::blankingText()), QString(15, ' '));
        QImage black(299, 257, QImage::Format_RGB32);
        black.fill(Qt::black);
        Diagram can = diagramFromImage(black.copy(0, 0, 454, 222), 1);
        Diagram funnel = diagramFromImage(black, 4);
        LabelSlots(can, funnel).blankAll();
        QCOMPARE(boxOf(toImage(funnel), QRect(110, 160, 120, 40), white), QRect(120, 174, 45, 13));
    }

    // The sector angle's cell cuts the outer chord only under itself: the red pixel right after
    // the cell stays.
    void outerChordBesideTheSectorAngle() {
        Diagram can = makeCanDiagram();
        Diagram funnel = makeFunnelDiagram();
        LabelSlots labelSlots(can, funnel);
        labelSlots.blankAll();
        labelSlots.write(Slot::SectorAngle, "alfa = 123.23");
        QCOMPARE(pixels::colourAt(toImage(funnel), {182, 176}), QStringLiteral("#ffffff"));
        QCOMPARE(pixels::colourAt(toImage(funnel), {183, 177}), QStringLiteral("#ff0000"));
        QCOMPARE(pixels::colourAt(toImage(funnel), {119, 177}), QStringLiteral("#ff0000"));
    }

    // Without kerning neighbouring ones keep a white column between them.
    void glyphsStandApart_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("runs");
        QTest::newRow("211") << "211" << 3;
        QTest::newRow("113") << "113" << 3;
        QTest::newRow("1111") << "1111" << 4;
        QTest::newRow("= 11") << "= 11" << 3;
    }
    void glyphsStandApart() {
        QFETCH(QString, text);
        QFETCH(int, runs);
        Diagram diagram = blackDiagram();
        const QRect cell = toQRect(diagram.writeText({20, 10}, toUtf8(text)));
        QCOMPARE(inkColumnRuns(toImage(diagram), cell), runs);
    }

    // Where the ink of a figure stands in its cell (relative to the slot's corner), and the whole
    // figure against its stored image.
    void inkInTheCell_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("ink");
        QTest::addColumn<QString>("image");
        QTest::newRow("digits: rows 2 to 9") << "= 85" << QRect(0, 2, 21, 8) << "ink-diameter";
        QTest::newRow("sector angle under a comma: the comma reaches row 11")
            << "alfa = 123,23" << QRect(0, 2, 63, 10) << "ink-sector-angle";
        QTest::newRow("negative figure") << "= -15" << QRect(0, 2, 25, 8) << "ink-negative";
        QTest::newRow("two ones") << "211" << QRect(1, 2, 17, 8) << "ink-211";
        QTest::newRow("one, one, three") << "113" << QRect(1, 2, 17, 8) << "ink-113";
    }
    void inkInTheCell() {
        QFETCH(QString, text);
        QFETCH(QRect, ink);
        QFETCH(QString, image);
        Diagram diagram = blackDiagram();
        const QRect cell = toQRect(diagram.writeText({20, 10}, toUtf8(text)));
        const QRect black = boxOf(toImage(diagram), cell, qRgb(0, 0, 0));
        QCOMPARE(black.translated(-20, -10), ink);
        // One pixel of the drawing around the cell, to see that nothing spills out of it.
        QCOMPARE(reference::difference(toImage(diagram).copy(cell.adjusted(-1, -1, 1, 1)), image),
                 QString());
    }
};

QTEST_MAIN(TestFigureText)
#include "tst_figuretext.moc"
