#include "diagrams/DiagramView.h"
#include "diagrams/Drawings.h"
#include "diagrams/Diagram.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

using namespace vlnokan;

namespace {

constexpr QRgb background = qRgb(212, 208, 200);

QImage painted(const Diagram& diagram, int scaleX, int scaleY, QPoint origin = {}) {
    QImage target(diagram.width() * scaleX + origin.x() + 4,
                  diagram.height() * scaleY + origin.y() + 4, QImage::Format_RGB32);
    target.fill(background);
    QPainter painter(&target);
    paintTransparent(painter, origin, diagram, scaleX, scaleY);
    return target;
}

// Every drawing pixel a solid block, white left as the target was, and nothing painted outside.
QString firstDifference(const Diagram& diagram, const QImage& target, int scaleX, int scaleY,
                        QPoint origin) {
    const QRgb transparent = toQRgb(diagram.transparentColour());
    const QImage pixels = toImage(diagram);
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x) {
            const QPoint source((x - origin.x()) / scaleX, (y - origin.y()) / scaleY);
            QRgb expected = background;
            if (x >= origin.x() && y >= origin.y() && pixels.rect().contains(source) &&
                pixels.pixel(source) != transparent)
                expected = pixels.pixel(source);
            if (target.pixel(x, y) != expected)
                return QStringLiteral("(%1, %2)").arg(x).arg(y);
        }
    return {};
}

} // namespace

class TestDiagramView final : public QObject {
    Q_OBJECT

private slots:
    void blocksWithWhiteLeftOut_data() {
        QTest::addColumn<bool>("can");
        QTest::addColumn<int>("scaleX");
        QTest::addColumn<int>("scaleY");
        QTest::addColumn<QPoint>("origin");
        QTest::newRow("can on screen") << true << 1 << 1 << QPoint(0, 0);
        QTest::newRow("funnel on screen") << false << 1 << 1 << QPoint(0, 0);
        QTest::newRow("funnel on paper, unequal blocks") << false << 3 << 2 << QPoint(5, 7);
        QTest::newRow("can on paper") << true << 2 << 2 << QPoint(1, 0);
    }
    void blocksWithWhiteLeftOut() {
        QFETCH(bool, can);
        QFETCH(int, scaleX);
        QFETCH(int, scaleY);
        QFETCH(QPoint, origin);
        Diagram canDrawing = makeCanDiagram();
        Diagram funnelDrawing = makeFunnelDiagram();
        LabelSlots labelSlots(canDrawing, funnelDrawing);
        labelSlots.blankAll();
        labelSlots.write(can ? Slot::CanDu : Slot::SectorAngle, "alfa = 1,5");
        const Diagram& diagram = can ? canDrawing : funnelDrawing;
        QCOMPARE(firstDifference(diagram, painted(diagram, scaleX, scaleY, origin), scaleX, scaleY,
                                 origin),
                 QString());
    }

    // The mask follows the pixels: a figure written after a paint shows on the next one.
    void maskRemadeAfterAChange() {
        Diagram funnel = makeFunnelDiagram();
        const QImage before = painted(funnel, 1, 1);
        funnel.writeText({20, 20}, "8");
        const QImage after = painted(funnel, 1, 1);
        QVERIFY(before != after);
        QCOMPARE(firstDifference(funnel, after, 1, 1, {}), QString());
    }

    // Only the coloured drawing takes its transparent colour from its bottom-left pixel.
    void transparentColour_data() {
        QTest::addColumn<int>("bitsPerPixel");
        QTest::addColumn<QRgb>("bottomLeft");
        QTest::addColumn<QRgb>("transparent");
        QTest::newRow("coloured, white corner") << 4 << qRgb(255, 255, 255) << qRgb(255, 255, 255);
        QTest::newRow("coloured, red corner") << 4 << qRgb(255, 0, 0) << qRgb(255, 0, 0);
        QTest::newRow("monochrome, black corner") << 1 << qRgb(0, 0, 0) << qRgb(255, 255, 255);
    }
    void transparentColour() {
        QFETCH(int, bitsPerPixel);
        QFETCH(QRgb, bottomLeft);
        QFETCH(QRgb, transparent);
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setPixel(1, 1, qRgb(255, 0, 0));
        image.setPixel(0, 2, bottomLeft);
        const Diagram diagram = diagramFromImage(image, bitsPerPixel);
        QCOMPARE(toQRgb(diagram.transparentColour()), transparent);
        QCOMPARE(firstDifference(diagram, painted(diagram, 1, 1), 1, 1, {}), QString());
    }

    // On a window the drawing stands on the background at the control's top-left; the rest of
    // a larger control shows the background too.
    void pictureControl() {
        QWidget window;
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(background));
        window.setPalette(palette);
        window.setAutoFillBackground(true);
        window.resize(320, 270);
        auto* view = new DiagramView(makeFunnelDiagram(), &window);
        view->setGeometry(8, 4, 305, 257);
        QCOMPARE(view->sizeHint(), QSize(299, 257));
        view->diagram().writeText({120, 174}, "alfa = 123,23");
        const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage pixels = toImage(view->diagram());
        for (int y = 0; y < 257; ++y)
            for (int x = 0; x < 305; ++x) {
                const QRgb source =
                    x < 299 ? pixels.pixel(x, y) : qRgb(255, 255, 255);
                const QRgb expected = source == qRgb(255, 255, 255) ? background : source;
                if (shot.pixel(x + 8, y + 4) != expected)
                    QFAIL(qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
    }
};

QTEST_MAIN(TestDiagramView)
#include "tst_diagramview.moc"
