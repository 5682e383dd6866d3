#include "Pixels.h"

#include "diagrams/Drawings.h"

#include <QGuiApplication>
#include <QTest>

using namespace vlnokan;

// Every arrowhead of both drawings, pixel by pixel within its 5 × 6 box: the tip, three rows of
// three, two rows of three spread pixels.
class TestArrowheads final : public QObject {
    Q_OBJECT

    const Diagram m_can = makeCanDiagram();
    const Diagram m_funnel = makeFunnelDiagram();

private slots:
    void shape_data() {
        QTest::addColumn<bool>("onCan");
        QTest::addColumn<QPoint>("tip");
        QTest::addColumn<QPoint>("backwards"); // one step from the tip towards the tail
        QTest::newRow("D up") << true << QPoint(27, 40) << QPoint(0, 1);
        QTest::newRow("D down") << true << QPoint(27, 176) << QPoint(0, -1);
        QTest::newRow("Lg / 4 left") << true << QPoint(76, 138) << QPoint(1, 0);
        QTest::newRow("Lg / 4 right") << true << QPoint(138, 138) << QPoint(-1, 0);
        QTest::newRow("Lo / 4 up") << true << QPoint(160, 158) << QPoint(0, 1);
        QTest::newRow("Lo / 4 down") << true << QPoint(160, 176) << QPoint(0, -1);
        QTest::newRow("3/4 Lg left") << true << QPoint(76, 213) << QPoint(1, 0);
        QTest::newRow("3/4 Lg right") << true << QPoint(327, 213) << QPoint(-1, 0);
        QTest::newRow("r down onto the inner arc") << false << QPoint(149, 65) << QPoint(0, -1);
        QTest::newRow("inner chord left") << false << QPoint(111, 27) << QPoint(1, 0);
        QTest::newRow("inner chord right") << false << QPoint(188, 27) << QPoint(-1, 0);
        QTest::newRow("outer chord left") << false << QPoint(11, 250) << QPoint(1, 0);
        QTest::newRow("outer chord right") << false << QPoint(288, 250) << QPoint(-1, 0);
        QTest::newRow("apex height up") << false << QPoint(295, 5) << QPoint(0, 1);
        QTest::newRow("apex height down") << false << QPoint(295, 53) << QPoint(0, -1);
        QTest::newRow("chords' distance up") << false << QPoint(295, 55) << QPoint(0, 1);
        QTest::newRow("chords' distance down") << false << QPoint(295, 176) << QPoint(0, -1);
    }
    void shape() {
        QFETCH(bool, onCan);
        QFETCH(QPoint, tip);
        QFETCH(QPoint, backwards);
        const QImage& image = toImage((onCan ? m_can : m_funnel));
        const QPoint side(backwards.y(), backwards.x());
        QString drawn;
        for (int along = 0; along < 6; ++along) {
            for (int across = -2; across <= 2; ++across)
                drawn +=
                    pixels::colourAt(image, tip + backwards * along + side * across) == "#000000"
                        ? '#'
                        : '.';
            drawn += '/';
        }
        QCOMPARE(drawn, QStringLiteral("..#../.###./.###./.###./#.#.#/#.#.#/"));
    }
};

QTEST_MAIN(TestArrowheads)
#include "tst_arrowheads.moc"
