#include "calc/BandSweep.h"

#include <QTest>

#include <cmath>

using namespace vlnokan;
using namespace vlnokan::sweep;

namespace {

bool near(const std::optional<Real>& value, double expected, double tolerance = 1e-3) {
    return value && std::fabs(double(*value) - expected) < tolerance;
}

} // namespace

class TestBandSweep final : public QObject {
    Q_OBJECT

private slots:
    void presetsHoldTheirFrequencies_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("last");
        QTest::newRow("Wi-Fi 2.4 GHz, channels 1-14") << "wifi24" << 14 << 2.412 << 2.484;
        QTest::newRow("Wi-Fi 5 GHz") << "wifi5" << 15 << 5.150 << 5.850;
        QTest::newRow("10 GHz") << "10g" << 1 << 10.368 << 10.368;
        QTest::newRow("24 GHz") << "24g" << 1 << 24.048 << 24.048;
        QTest::newRow("hydrogen line") << "hline" << 1 << 1.420 << 1.420;
    }
    void presetsHoldTheirFrequencies() {
        QFETCH(QString, key);
        QFETCH(int, count);
        QFETCH(double, first);
        QFETCH(double, last);
        const auto band = presetBand(key.toStdString());
        QVERIFY(band);
        QCOMPARE(int(band->frequencies.size()), count);
        QVERIFY(std::fabs(double(band->frequencies.front()) - first) < 1e-12);
        QVERIFY(std::fabs(double(band->frequencies.back()) - last) < 1e-12);
        QVERIFY(std::is_sorted(band->frequencies.begin(), band->frequencies.end()));
        QVERIFY(!presetBand("wifi6"));
    }

    // Lg = 1 / √((1/Lo)² − (1/(1.706 D))²), worked out apart for each end of the band.
    void sweepEnds_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<double>("firstPlace");
        QTest::addColumn<double>("firstLength");
        QTest::addColumn<double>("lastPlace");
        QTest::addColumn<double>("lastLength");
        QTest::addColumn<double>("spread");
        QTest::addColumn<double>("centrePlace");
        QTest::newRow("Wi-Fi 2.4 GHz, 85 mm") << "wifi24" << 85 << 60.48159 << 181.44477 << 54.55118
                                              << 163.65354 << 5.93041 << 57.30911;
        QTest::newRow("Wi-Fi 2.4 GHz, 75 mm") << "wifi24" << 75 << 132.52334 << 397.57001
                                              << 91.43637 << 274.30910 << 41.08697 << 106.57389;
        QTest::newRow("24 GHz, 10 mm")
            << "24g" << 10 << 4.57220 << 13.71660 << 4.57220 << 13.71660 << 0.0 << 4.57220;
    }
    void sweepEnds() {
        QFETCH(QString, key);
        QFETCH(int, diameter);
        QFETCH(double, firstPlace);
        QFETCH(double, firstLength);
        QFETCH(double, lastPlace);
        QFETCH(double, lastLength);
        QFETCH(double, spread);
        QFETCH(double, centrePlace);
        const Result result = run(*presetBand(key.toStdString()), diameter);
        QVERIFY(near(result.rows.front().probePlace(), firstPlace));
        QVERIFY(near(result.rows.front().canLength(), firstLength));
        QVERIFY(near(result.rows.back().probePlace(), lastPlace));
        QVERIFY(near(result.rows.back().canLength(), lastLength));
        QVERIFY(near(result.spread, spread));
        QVERIFY(near(result.centrePlace, centrePlace));
        QVERIFY(result.allPropagate);
    }

    void frequenciesTheCanCutsOffHaveNoPlace() {
        // 85 mm carries nothing below 300 / (1.706 × 85) = 2.0689 GHz.
        const Result result = run(*customBand(2.0L, 2.1L, 0.05L), 85);
        QCOMPARE(int(result.rows.size()), 3);
        QVERIFY(!result.rows[0].guide);
        QVERIFY(!result.rows[1].guide); // 2.05 GHz
        QVERIFY(result.rows[2].guide);
        QVERIFY(!result.allPropagate);
        QVERIFY(near(result.spread, 0.0));
        QVERIFY(!run(*presetBand("hline"), 85).spread);
    }

    void customRanges_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("count"); // -1: refused
        QTest::addColumn<double>("last");
        QTest::newRow("steps land on the end") << 5.15 << 5.85 << 0.05 << 15 << 5.85;
        QTest::newRow("end beyond the last step") << 2.4 << 2.5 << 0.03 << 5 << 2.5;
        QTest::newRow("one frequency") << 10.368 << 10.368 << 1.0 << 1 << 10.368;
        QTest::newRow("largest band") << 1.0 << 1.9999 << 0.0001 << 10000 << 1.9999;
        QTest::newRow("one too many") << 1.0 << 2.0 << 0.0001 << -1 << 0.0;
        QTest::newRow("end below start") << 2.5 << 2.4 << 0.01 << -1 << 0.0;
        QTest::newRow("zero step") << 2.4 << 2.5 << 0.0 << -1 << 0.0;
        QTest::newRow("negative step") << 2.4 << 2.5 << -0.01 << -1 << 0.0;
        QTest::newRow("zero frequency") << 0.0 << 2.5 << 0.5 << -1 << 0.0;
        QTest::newRow("infinite end") << 1.0 << double(INFINITY) << 1.0 << -1 << 0.0;
        QTest::newRow("not a number") << double(NAN) << 2.0 << 1.0 << -1 << 0.0;
    }
    void customRanges() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, step);
        QFETCH(int, count);
        QFETCH(double, last);
        const auto band = customBand(low, high, step);
        QCOMPARE(band.has_value(), count >= 0);
        if (!band)
            return;
        QCOMPARE(int(band->frequencies.size()), count);
        QCOMPARE(double(band->frequencies.front()), low);
        QCOMPARE(double(band->frequencies.back()), last);
    }
};

QTEST_APPLESS_MAIN(TestBandSweep)
#include "tst_bandsweep.moc"
