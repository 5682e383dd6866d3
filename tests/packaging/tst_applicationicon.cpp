#include "packaging/ApplicationIcon.h"

#include <QImage>
#include <QSet>
#include <QTest>

using namespace vlnokan;

class TstApplicationIcon : public QObject {
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();
    void sixteenColours_data();
    void sixteenColours();
};

void TstApplicationIcon::sizes_data() {
    QTest::addColumn<int>("size");
    for (const int size : {16, 32, 48, 64, 128, 256})
        QTest::addRow("%d pixels", size) << size;
}

void TstApplicationIcon::sizes() {
    QFETCH(int, size);
    const QIcon icon = applicationIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    const QImage image = icon.pixmap(QSize(size, size)).toImage();
    QCOMPARE(image.size(), QSize(size, size));
    // A drawing with a see-through background: corner transparent, middle covered.
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    QCOMPARE(qAlpha(image.pixel(0, size - 1)), 0);
}

void TstApplicationIcon::sixteenColours_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("icon proper") << 32;
    QTest::newRow("small") << 16;
}

void TstApplicationIcon::sixteenColours() {
    QFETCH(int, size);
    const QImage image = QImage(QStringLiteral(":/vlnokan/icons/vlnokan-%1.png").arg(size))
                             .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(size, size));
    const QSet<QRgb> standard{0xff000000, 0xff800000, 0xff008000, 0xff808000,
                              0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
                              0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00,
                              0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            QVERIFY2(qAlpha(pixel) == 255 && standard.contains(pixel),
                     qPrintable(QString("pixel %1,%2 is %3").arg(x).arg(y).arg(pixel, 8, 16)));
        }
}

QTEST_MAIN(TstApplicationIcon)
#include "tst_applicationicon.moc"
