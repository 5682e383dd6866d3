#include "Pixels.h"

#include "diagrams/Drawings.h"

#include <QGuiApplication>
#include <QTest>

using namespace vlnokan;
using pixels::run;

namespace {

const QString black = QStringLiteral("#000000");
const QString white = QStringLiteral("#ffffff");

} // namespace

// The side view of the can: every element of the drawing where it belongs, and nothing beyond.
class TestCanDrawing final : public QObject {
    Q_OBJECT

    const Diagram m_can = makeCanDiagram();

private slots:
    void formatAndColours() {
        QCOMPARE(toQSize(m_can.size()), QSize(454, 222));
        QCOMPARE(m_can.bitsPerPixel(), 1);
        QCOMPARE(qtPalette(m_can), (QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
        QCOMPARE(toQRgb(m_can.transparentColour()), qRgb(255, 255, 255));
        const QImage indexed = indexedImage(m_can);
        QCOMPARE(indexed.format(), QImage::Format_Mono);
        QCOMPARE(indexed.convertToFormat(QImage::Format_RGB32), toImage(m_can));
        const QImage image = toImage(m_can);
        for (int y = 0; y < m_can.height(); ++y)
            for (int x = 0; x < m_can.width(); ++x) {
                const QRgb colour = image.pixel(x, y);
                if (colour != qRgb(0, 0, 0) && colour != qRgb(255, 255, 255))
                    QFAIL(qPrintable(QStringLiteral("grey at (%1, %2)").arg(x).arg(y)));
            }
    }

    void solidElements_data() {
        QTest::addColumn<QList<QPoint>>("blacks");
        QTest::addColumn<QList<QPoint>>("whites");
        QTest::newRow("outer wall top")
            << run({72, 36}, {328, 36}) << QList<QPoint>{{71, 36}, {329, 36}};
        QTest::newRow("outer wall bottom")
            << run({72, 180}, {328, 180}) << QList<QPoint>{{71, 180}, {329, 180}};
        QTest::newRow("outer closed end")
            << run({72, 36}, {72, 180}) << QList<QPoint>{{72, 35}, {72, 181}};
        QTest::newRow("inner wall top")
            << run({75, 39}, {328, 39}) << QList<QPoint>{{74, 39}, {73, 39}};
        QTest::newRow("inner wall bottom open for the probe")
            << run({75, 177}, {135, 177}) + run({143, 177}, {328, 177})
            << run({136, 177}, {142, 177});
        QTest::newRow("inner closed end")
            << run({75, 39}, {75, 177}) << QList<QPoint>{{75, 38}, {75, 178}};
        QTest::newRow("open end") << run({328, 36}, {328, 180})
                                  << QList<QPoint>{{329, 37}, {327, 179}};
        QTest::newRow("upper collar open to the right")
            << run({318, 32}, {331, 32}) + run({318, 35}, {331, 35}) + run({318, 32}, {318, 35})
            << run({319, 33}, {327, 33}) + run({319, 34}, {327, 34}) +
                   QList<QPoint>{{331, 33}, {331, 34}, {332, 32}};
        QTest::newRow("lower collar open to the right")
            << run({318, 181}, {331, 181}) + run({318, 184}, {331, 184}) +
                   run({318, 181}, {318, 184})
            << run({319, 182}, {327, 182}) + run({319, 183}, {327, 183}) +
                   QList<QPoint>{{331, 182}, {331, 183}, {332, 184}};
        QTest::newRow("funnel mouth")
            << run({429, 10}, {429, 206}) << QList<QPoint>{{429, 9}, {429, 207}};
        QTest::newRow("probe outline")
            << run({138, 157}, {141, 157}) + run({138, 176}, {141, 176}) +
                   run({138, 157}, {138, 176}) + run({141, 157}, {141, 176})
            << run({139, 158}, {139, 175}) + run({140, 158}, {140, 175}) +
                   QList<QPoint>{{138, 156}, {137, 160}, {142, 160}};
        QTest::newRow("probe base and feed-through")
            << run({135, 176}, {143, 176}) + run({135, 176}, {135, 180}) +
                   run({143, 176}, {143, 180})
            << QList<QPoint>{{134, 176}, {144, 176}, {136, 178}, {142, 179}};
        QTest::newRow("connector flange")
            << run({127, 180}, {127, 184}) + run({151, 180}, {151, 184}) +
                   run({127, 184}, {151, 184})
            << QList<QPoint>{{126, 184}, {152, 184}, {128, 182}, {150, 183}, {127, 185}};
        QTest::newRow("connector body")
            << run({133, 184}, {133, 194}) + run({145, 184}, {145, 194}) +
                   run({133, 194}, {145, 194}) + run({135, 184}, {135, 194}) +
                   run({143, 184}, {143, 194})
            << QList<QPoint>{{134, 190}, {139, 190}, {144, 190},
                             {139, 195}, {132, 194}, {146, 194}};
        QTest::newRow("D line with its extension lines")
            << run({27, 39}, {27, 177}) + run({23, 39}, {30, 39}) + run({22, 177}, {29, 177})
            << QList<QPoint>{{27, 38}, {27, 178}, {22, 39}, {31, 39}, {21, 177}, {30, 177}};
        QTest::newRow("Lg / 4 line with its extension line")
            << run({75, 138}, {139, 138}) + run({139, 135}, {139, 142})
            << QList<QPoint>{{140, 138}, {139, 134}, {139, 143}};
        QTest::newRow("Lo / 4 line with its extension line")
            << run({160, 157}, {160, 176}) + run({155, 157}, {162, 157})
            << QList<QPoint>{{160, 156}, {154, 157}, {163, 157}};
        QTest::newRow("3/4 Lg line with its extension lines")
            << run({75, 213}, {328, 213}) + run({75, 210}, {75, 217}) + run({328, 209}, {328, 216})
            << QList<QPoint>{{74, 213}, {329, 213}, {75, 209}, {75, 218}, {328, 208}, {328, 217}};
    }
    void solidElements() {
        QFETCH(QList<QPoint>, blacks);
        QFETCH(QList<QPoint>, whites);
        QCOMPARE(pixels::firstMismatch(toImage(m_can), blacks, black), QString());
        QCOMPARE(pixels::firstMismatch(toImage(m_can), whites, white), QString());
    }

    // The oblique walls of the funnel: both ends exact, every column within a pixel of the line.
    void funnelWalls_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("upper outer") << QPoint(332, 31) << QPoint(429, 10);
        QTest::newRow("upper inner") << QPoint(332, 34) << QPoint(429, 13);
        QTest::newRow("lower outer") << QPoint(332, 185) << QPoint(429, 206);
        QTest::newRow("lower inner") << QPoint(332, 182) << QPoint(429, 203);
    }
    void funnelWalls() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        const QImage& image = toImage(m_can);
        QCOMPARE(pixels::colourAt(image, from), black);
        QCOMPARE(pixels::colourAt(image, to), black);
        QCOMPARE(pixels::colourAt(image, from - QPoint(1, 0)), white);
        for (int x = from.x(); x < to.x(); ++x) { // the mouth runs through the last column
            const double y =
                from.y() + double(to.y() - from.y()) * (x - from.x()) / (to.x() - from.x());
            const int nearest = int(std::lround(y));
            QVERIFY2(pixels::colourAt(image, {x, nearest}) == black,
                     qPrintable(QString::number(x)));
            // One pixel per column: the line is one pixel wide.
            QCOMPARE(pixels::colourAt(image, {x, nearest - 2}), white);
            QCOMPARE(pixels::colourAt(image, {x, nearest + 2}), white);
        }
    }

    // 12 on, 1 off, 12 on, 7 off, full dashes from x = 78, cut at both ends; walls stay solid.
    void dashedAxis() {
        const QImage& image = toImage(m_can);
        QString drawn;
        QString expected;
        for (int x = 50; x <= 345; ++x) {
            drawn += pixels::colourAt(image, {x, 108}) == black ? '#' : '.';
            const int phase = ((x - 78) % 32 + 32) % 32;
            const bool dash = x >= 54 && x <= 341 && phase != 12 && phase < 25;
            const bool wall = x == 72 || x == 75 || x == 328;
            expected += dash || wall ? '#' : '.';
        }
        QCOMPARE(drawn, expected);
        QCOMPARE(drawn.mid(54 - 50, 17), QStringLiteral("####.############"));
        QCOMPARE(drawn.mid(334 - 50, 9), QStringLiteral("########."));
    }

    // Labels: the left edge of the ink and the capitals' top exact, capitals 10 rows high, the
    // width near the drawing's and descenders at most to its bottom row.
    void labels_data() {
        QTest::addColumn<QRect>("box");
        QTest::addColumn<int>("baseline");
        QTest::newRow("D") << QRect(QPoint(6, 105), QPoint(14, 114)) << 114;
        QTest::newRow("Lg / 4") << QRect(QPoint(86, 121), QPoint(121, 133)) << 130;
        QTest::newRow("Lo / 4") << QRect(QPoint(174, 160), QPoint(209, 171)) << 169;
        QTest::newRow("3/4 Lg") << QRect(QPoint(173, 197), QPoint(212, 209)) << 206;
    }
    void labels() {
        QFETCH(QRect, box);
        QFETCH(int, baseline);
        const QRect around = box.adjusted(-3, -3, 3, 3);
        const QImage image = toImage(m_can);
        QRect ink;
        for (int y = around.top(); y <= around.bottom(); ++y)
            for (int x = around.left(); x <= around.right(); ++x)
                if (pixels::colourAt(image, {x, y}) == black)
                    ink = ink.united(QRect(x, y, 1, 1));
        QCOMPARE(ink.left(), box.left());
        QCOMPARE(ink.top(), box.top());
        QVERIFY2(std::abs(ink.right() - box.right()) <= 2,
                 qPrintable(QString::number(ink.right())));
        QVERIFY(ink.bottom() >= baseline);
        QVERIFY(ink.bottom() <= box.bottom());
    }
};

QTEST_MAIN(TestCanDrawing)
#include "tst_candrawing.moc"
