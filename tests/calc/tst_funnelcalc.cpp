#include "calc/FunnelCalc.h"
#include "tests/support/Faults.h"

#include <QTest>

using namespace vlnokan;

class TestFunnelCalc final : public QObject {
    Q_OBJECT

private slots:
    void workedPatterns_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("mouth");
        QTest::addColumn<int>("can");
        // R, r, L, l, phi x 100, C, c, hi, ho, dH
        QTest::addColumn<QList<int>>("pattern");
        QTest::newRow("defaults 40 degrees, 300 mm, 85 mm")
            << 40 << 300 << 85 << QList<int>{438, 125, 942, 267, 12323, 771, 220, 59, 208, 149};
        QTest::newRow("30 degrees, 250 mm, 90 mm")
            << 30 << 250 << 90 << QList<int>{483, 174, 785, 283, 9312, 701, 253, 119, 332, 213};
        QTest::newRow("60 degrees, the smallest mouth")
            << 60 << 170 << 85 << QList<int>{170, 85, 534, 267, 17998, 340, 170, 0, 0, 0};
        QTest::newRow("20 degrees, 358 mm, widened can")
            << 20 << 358 << 179 << QList<int>{1031, 516, 1124, 562, 6246, 1069, 535, 441, 882, 441};
    }
    void workedPatterns() {
        QFETCH(int, angle);
        QFETCH(int, mouth);
        QFETCH(int, can);
        QFETCH(QList<int>, pattern);
        const funnel::Pattern p = funnel::develop(angle, mouth, can);
        const QList<int> actual = {p.R, p.r, p.L,  p.l,  int(checked::round(p.phi * 100)),
                                   p.C, p.c, p.hi, p.ho, p.dH};
        QCOMPARE(actual, pattern);
    }

    void faultsOfHugeOrEmptyFunnels_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("mouth");
        QTest::addColumn<int>("can");
        QTest::addColumn<QString>("message");
        QTest::newRow("square of R at 100000 mm") << 40 << 100000 << 85 << "Integer overflow";
        QTest::newRow("largest square still fits") << 40 << 30000 << 85 << "";
        QTest::newRow("H beyond 32 bits at a billion")
            << 40 << 1000000000 << 85 << "Range check error";
        QTest::newRow("doubling R at 20 degrees") << 20 << 500000000 << 85 << "Integer overflow";
        QTest::newRow("no mouth and no can: 0 / 0")
            << 40 << 0 << 0 << "Invalid floating point operation";
        QTest::newRow("no mouth under a negative can")
            << 40 << 0 << -5 << "Invalid floating point operation";
    }
    void faultsOfHugeOrEmptyFunnels() {
        QFETCH(int, angle);
        QFETCH(int, mouth);
        QFETCH(int, can);
        QFETCH(QString, message);
        QCOMPARE(test::outcomeOf([&] { funnel::develop(angle, mouth, can); }).message, message);
    }

    void smallestMouthIsTwiceTheCan() {
        QCOMPARE(funnel::smallestMouth(85), 170);
        QCOMPARE(test::outcomeOf([] { funnel::smallestMouth(1073741824); }).message,
                 QString("Integer overflow"));
    }
};

QTEST_GUILESS_MAIN(TestFunnelCalc)
#include "tst_funnelcalc.moc"
