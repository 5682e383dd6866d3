#include "Pixels.h"

#include "diagrams/Drawings.h"

#include <QGuiApplication>
#include <QTest>

#include <cmath>

using namespace vlnokan;
using pixels::run;

namespace {

const QString black = QStringLiteral("#000000");
const QString white = QStringLiteral("#ffffff");
const QString red = QStringLiteral("#ff0000");
const QString cyan = QStringLiteral("#00ffff");

} // namespace

// The flat pattern of the funnel: its elements, their colours, and which colour wins where they
// cross.
class TestFunnelDrawing final : public QObject {
    Q_OBJECT

    const Diagram m_funnel = makeFunnelDiagram();

private slots:
    void formatAndColours() {
        QCOMPARE(toQSize(m_funnel.size()), QSize(299, 257));
        QCOMPARE(m_funnel.bitsPerPixel(), 4);
        QList<QRgb> palette(16, qRgb(255, 255, 255));
        palette[0] = qRgb(0, 0, 0);
        palette[1] = qRgb(0, 255, 255);
        palette[2] = qRgb(255, 0, 0);
        QCOMPARE(qtPalette(m_funnel), palette);
        const QImage indexed = indexedImage(m_funnel);
        QCOMPARE(indexed.colorTable(), palette);
        QCOMPARE(indexed.convertToFormat(QImage::Format_RGB32), toImage(m_funnel));
        // The bottom-left pixel decides the transparent colour: white.
        QCOMPARE(pixels::colourAt(toImage(m_funnel), {0, 256}), white);
        QCOMPARE(toQRgb(m_funnel.transparentColour()), qRgb(255, 255, 255));
        const QImage image = toImage(m_funnel);
        for (int y = 0; y < 257; ++y)
            for (int x = 0; x < 299; ++x)
                QVERIFY(palette.contains(image.pixel(x, y)));
    }

    void elements_data() {
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<QString>("colour");
        QTest::newRow("apex mark") << run({146, 4}, {152, 4}) + run({149, 1}, {149, 5}) << cyan;
        QTest::newRow("around the apex mark")
            << QList<QPoint>{{145, 4}, {149, 0}, {148, 1}, {150, 5}} << white;
        QTest::newRow("symmetry axis above the outer chord") << run({149, 67}, {149, 176}) << cyan;
        QTest::newRow("symmetry axis below the outer chord")
            << run({149, 178}, {149, 184}) + run({149, 186}, {149, 230}) << cyan;
        QTest::newRow("beyond the axis")
            << QList<QPoint>{{149, 231}, {150, 100}, {148, 200}} << white;
        QTest::newRow("inner chord, inner arc ends left out")
            << run({110, 54}, {110, 54}) + run({112, 54}, {187, 54}) + run({189, 54}, {189, 54})
            << red;
        QTest::newRow("outer chord") << run({10, 177}, {289, 177}) << red;
        QTest::newRow("r line") << run({149, 6}, {149, 53}) + run({149, 55}, {149, 65}) << black;
        QTest::newRow("ends of arcs and edges, lowest points")
            << QList<QPoint>{{111, 54}, {188, 54}, {149, 66}, {35, 146}, {263, 145}, {149, 185}}
            << black;
        QTest::newRow("outer arc's lowest point under the axis")
            << QList<QPoint>{{149, 226}} << cyan;
        QTest::newRow("R line's V")
            << run({61, 201}, {61, 206}) + run({61, 206}, {67, 206}) << black;
        QTest::newRow("sector angle's V heads")
            << run({35, 146}, {41, 146}) + run({36, 146}, {36, 150}) + run({258, 145}, {263, 145}) +
                   run({262, 145}, {262, 149})
            << black;
        QTest::newRow("inner chord dimension")
            << run({110, 27}, {189, 27}) + run({110, 24}, {110, 53}) + run({189, 24}, {189, 53})
            << black;
        QTest::newRow("outer chord dimension")
            << run({10, 250}, {289, 250}) + run({10, 178}, {10, 250}) + run({289, 178}, {289, 250})
            << black;
        QTest::newRow("heights") << run({153, 4}, {298, 4}) + run({190, 54}, {298, 54}) +
                                        run({290, 177}, {298, 177}) + run({295, 4}, {295, 177})
                                 << black;
        QTest::newRow("beyond the dimension lines")
            << QList<QPoint>{{109, 27},  {190, 27}, {110, 23},  {189, 23}, {9, 250},
                             {290, 250}, {10, 251}, {295, 178}, {152, 3}}
            << white;
        QTest::newRow("just past the ends of the Vs, chords and edges")
            << QList<QPoint>{{42, 146}, {36, 151}, {257, 145}, {262, 150}, {61, 200},
                             {68, 206}, {9, 177},  {109, 54},  {9, 178},   {290, 178}}
            << white;
        QTest::newRow("bottom-left corner") << QList<QPoint>{{0, 256}, {0, 0}, {298, 256}} << white;
    }
    void elements() {
        QFETCH(QList<QPoint>, points);
        QFETCH(QString, colour);
        QCOMPARE(pixels::firstMismatch(toImage(m_funnel), points, colour), QString());
    }

    // Straight oblique lines: ends exact, each row within a pixel of the ideal line.
    void obliqueLines_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("left radial edge") << QPoint(110, 54) << QPoint(10, 177);
        QTest::newRow("right radial edge") << QPoint(189, 54) << QPoint(289, 177);
        QTest::newRow("R line") << QPoint(149, 6) << QPoint(61, 206);
    }
    void obliqueLines() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        const QImage image = toImage(m_funnel);
        for (int y = from.y() + 1; y < to.y(); ++y) {
            if (y == 54 || y == 177)
                continue; // the chords lie over the lines there
            const double x =
                from.x() + double(to.x() - from.x()) * (y - from.y()) / (to.y() - from.y());
            const int nearest = int(std::lround(x));
            QVERIFY2(pixels::colourAt(image, {nearest, y}) != white,
                     qPrintable(QStringLiteral("row %1").arg(y)));
        }
    }

    // Arcs about the apex: exact at their ends and lowest point, within a pixel of the circle in
    // every column between.
    void arcs_data() {
        QTest::addColumn<int>("radius");
        QTest::addColumn<int>("fromX");
        QTest::addColumn<int>("toX");
        QTest::newRow("inner arc") << 62 << 111 << 188;
        QTest::newRow("outer arc") << 222 << 10 << 289;
        QTest::newRow("sector angle arc") << 181 << 35 << 263;
    }
    void arcs() {
        QFETCH(int, radius);
        QFETCH(int, fromX);
        QFETCH(int, toX);
        const QImage& image = toImage(m_funnel);
        for (int x = fromX + 3; x <= toX - 3; ++x) {
            const double dx = x - 149;
            const double y = 4 + std::sqrt(double(radius) * radius - dx * dx);
            const int nearest = int(std::lround(y));
            const bool near = pixels::colourAt(image, {x, nearest}) != white ||
                              pixels::colourAt(image, {x, nearest - 1}) != white ||
                              pixels::colourAt(image, {x, nearest + 1}) != white;
            QVERIFY2(near, qPrintable(QStringLiteral("column %1").arg(x)));
        }
    }

    // Where lines cross, red lies over black and cyan, cyan over black; two exceptions.
    void crossings_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("colour");
        QTest::newRow("r line under the inner chord") << QPoint(149, 54) << red;
        QTest::newRow("axis under the outer chord") << QPoint(149, 177) << red;
        QTest::newRow("outer arc under the axis") << QPoint(149, 226) << cyan;
        QTest::newRow("sector arc over the axis") << QPoint(149, 185) << black;
        QTest::newRow("inner arc's left end within the chord") << QPoint(111, 54) << black;
        QTest::newRow("inner arc's right end within the chord") << QPoint(188, 54) << black;
        QTest::newRow("radial edge's end under the chord") << QPoint(110, 54) << red;
        QTest::newRow("outer arc's end under the chord") << QPoint(289, 177) << red;
        QTest::newRow("R line under the outer chord") << QPoint(74, 177) << red;
        QTest::newRow("sector arc under the outer chord, left") << QPoint(96, 177) << red;
        QTest::newRow("sector arc under the outer chord, right") << QPoint(202, 177) << red;
        QTest::newRow("r line over the inner chord dimension") << QPoint(149, 27) << black;
        QTest::newRow("heights extension after the inner chord") << QPoint(190, 54) << black;
        QTest::newRow("heights extension after the outer chord") << QPoint(290, 177) << black;
    }
    void crossings() {
        QFETCH(QPoint, at);
        QFETCH(QString, colour);
        QCOMPARE(pixels::colourAt(toImage(m_funnel), at), colour);
    }
};

QTEST_MAIN(TestFunnelDrawing)
#include "tst_funneldrawing.moc"
