#include "calc/Details.h"

#include <QTest>

#include <cmath>

using namespace vlnokan;

namespace {

Design design(double frequency, int diameter, int angle = 40, int mouth = 300) {
    return Design::complete(frequency, diameter, angle, mouth);
}

bool near(Real value, double expected, double tolerance) {
    return std::fabs(double(value) - expected) < tolerance;
}

} // namespace

class TestDetails final : public QObject {
    Q_OBJECT

private slots:
    // The exact pattern: R = Du / (2 sin(alfa/2)), r = D / (2 sin(alfa/2)), phi = 360 sin(alfa/2);
    // the horn after Balanis' conical-horn chart formula, all worked out by hand.
    void hornOfWorkedDesigns_data() {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("mouth");
        QTest::addColumn<double>("R");
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("phi");
        QTest::addColumn<double>("s");
        QTest::addColumn<double>("directivity"); // NaN: outside the formula's range
        QTest::addColumn<double>("optimum");
        QTest::newRow("defaults") << 2.4 << 85 << 40 << 300 << 438.57066 << 124.26169 << 123.12725
                                  << 0.205212 << 16.146434 << 405.54161;
        QTest::newRow("30 degrees, 250 mm, 90 mm can")
            << 2.4 << 90 << 30 << 250 << 482.96291 << 173.86665 << 93.17486 << 0.129410 << 14.983838
            << 425.57149;
        QTest::newRow("60 degrees: a half disc")
            << 2.4 << 85 << 60 << 170 << 170.0 << 85.0 << 180.0 << 0.17 << 11.433253 << 252.48762;
        QTest::newRow("20 degrees at 5.8 GHz") << 5.8 << 85 << 20 << 300 << 863.81557 << 244.74775
                                               << 62.51334 << 0.251790 << 23.461899 << 366.11521;
        QTest::newRow("huge mouth at 24 GHz is beyond the formula")
            << 24.0 << 10 << 60 << 300 << 300.0 << 10.0 << 180.0 << 3.0 << double(NAN) << 106.06602;
    }
    void hornOfWorkedDesigns() {
        QFETCH(double, frequency);
        QFETCH(int, diameter);
        QFETCH(int, angle);
        QFETCH(int, mouth);
        QFETCH(double, R);
        QFETCH(double, r);
        QFETCH(double, phi);
        QFETCH(double, s);
        QFETCH(double, directivity);
        QFETCH(double, optimum);
        const details::Details d = details::describe(design(frequency, diameter, angle, mouth));
        QVERIFY(d.funnel);
        QVERIFY(near(d.funnel->pattern.R, R, 1e-4));
        QVERIFY(near(d.funnel->pattern.r, r, 1e-4));
        QVERIFY(near(d.funnel->pattern.phi, phi, 1e-4));
        QVERIFY(near(d.funnel->estimate.s, s, 1e-3));
        QCOMPARE(d.funnel->estimate.directivity.has_value(), !std::isnan(directivity));
        if (!std::isnan(directivity))
            QVERIFY(near(*d.funnel->estimate.directivity, directivity, 1e-5));
        QVERIFY(near(d.funnel->estimate.optimumMouth, optimum, 1e-4));
    }

    void fineFiguresAndWarning_data() {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<QString>("probePlace");
        QTest::addColumn<QString>("canLength");
        QTest::addColumn<QString>("probeLength");
        QTest::addColumn<int>("propagating");
        QTest::addColumn<QString>("warning"); // empty: none
        // Lo/4 = 31.25: a tie, to the even tenth whichever way 2.4 is held in binary.
        QTest::newRow("defaults") << 2.4 << 85 << "61.7"
                                  << "185.0"
                                  << "31.2" << 1 << "";
        // TM01 is cut off below 300 × 2.4048 / (π × 10) = 22.96 GHz: 10 mm is too wide here.
        QTest::newRow("24 GHz in 10 mm")
            << 24.048 << 10 << "4.6"
            << "13.7"
            << "3.1" << 2
            << "Plechovka je pro tento kmitočet příliš široká, šíří se v ní i vyšší vidy; "
               "použijte plechovku o průměru mezi 7.3 a 9.6 mm.";
        QTest::newRow("2.4 GHz in 120 mm")
            << 2.4 << 120 << "39.5"
            << "118.4"
            << "31.2" << 2
            << "Plechovka je pro tento kmitočet příliš široká, šíří se v ní i vyšší vidy; "
               "použijte plechovku o průměru mezi 73.3 a 95.7 mm.";
        QTest::newRow("5.8 GHz in 85 mm")
            << 5.8 << 85 << "13.8"
            << "41.5"
            << "12.9" << 7
            << "Plechovka je pro tento kmitočet příliš široká, šíří se v ní i vyšší vidy; "
               "použijte plechovku o průměru mezi 30.3 a 39.6 mm.";
    }
    void fineFiguresAndWarning() {
        QFETCH(double, frequency);
        QFETCH(int, diameter);
        QFETCH(QString, probePlace);
        QFETCH(QString, canLength);
        QFETCH(QString, probeLength);
        QFETCH(int, propagating);
        QFETCH(QString, warning);
        const details::Details d = details::describe(design(frequency, diameter));
        QVERIFY(d.unavailable.empty());
        QCOMPARE(QString::fromStdString(details::decimals(*d.fine.probePlace(), 1, ".")),
                 probePlace);
        QCOMPARE(QString::fromStdString(details::decimals(*d.fine.canLength(), 1, ".")), canLength);
        QCOMPARE(QString::fromStdString(details::decimals(d.fine.probeLength, 1, ".")),
                 probeLength);
        QCOMPARE(int(d.propagating), propagating);
        QCOMPARE(d.tooWide, !warning.isEmpty());
        if (d.tooWide)
            QCOMPARE(QString::fromStdString(details::tooWideWarning(d.window, ".")), warning);
        // The table goes on past the modes carried, so the next cut-off is in sight.
        QVERIFY(!d.modes.back().propagates);
    }

    void nothingToDescribe_data() {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<bool>("canKnown");
        QTest::newRow("calculation ended early") << 2.4 << 85 << false;
        QTest::newRow("negative frequency") << -5.0 << 85 << true;
        QTest::newRow("zero diameter") << 400.0 << 0 << true;
        QTest::newRow("negative diameter") << -2.4 << -73 << true;
    }
    void nothingToDescribe() {
        QFETCH(double, frequency);
        QFETCH(int, diameter);
        QFETCH(bool, canKnown);
        Design d = design(frequency, diameter);
        d.canKnown = canKnown;
        const details::Details described = details::describe(d);
        QVERIFY(!described.unavailable.empty());
        QVERIFY(described.modes.empty());
        QVERIFY(!described.funnel);
    }

    void canWithoutFunnel() {
        Design d = design(2.4, 85);
        d.funnelKnown = false;
        const details::Details described = details::describe(d);
        QVERIFY(described.unavailable.empty());
        QVERIFY(!described.funnel);
        QCOMPARE(int(described.propagating), 1);
    }

    void modesBeyondTheTableAreNotHidden() {
        // 200 GHz in a 125 mm can: π D / Lo ≈ 262, far past the table.
        const details::Details d = details::describe(design(200, 125));
        QVERIFY(d.modesCut);
        QVERIFY(d.tooWide);
    }

    void decimalsWithSeparator() {
        QCOMPARE(details::decimals(4.5722L, 1, ","), "4,6");
        QCOMPARE(details::decimals(-0.04L, 1, "."), "0.0");
        QCOMPARE(details::decimals(-12.35L, 1, "."), "-12.4");
        QCOMPARE(details::decimals(0.25L, 1, "."), "0.2");
        QCOMPARE(details::decimals(0.35L, 1, "."), "0.4");
        QCOMPARE(details::decimals(300.0L / 2.4L / 4, 1, "."), "31.2");
        QCOMPARE(details::decimals(300.0L / (long double)2.4 / 4, 1, "."), "31.2");
        QCOMPARE(details::decimals(31.2501L, 1, "."), "31.3");
        QCOMPARE(details::decimals(5.0L, 0, "."), "5");
        QCOMPARE(details::decimals(123.12725L, 2, ","), "123,13");
    }
};

QTEST_APPLESS_MAIN(TestDetails)
#include "tst_details.moc"
