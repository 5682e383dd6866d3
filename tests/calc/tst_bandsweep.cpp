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
        QTest::newRow("Wi-Fi 5.8 GHz and 5.76 GHz amateurs") << "wifi58" << 7 << 5.725 << 5.875;
        QTest::newRow("whole 5 GHz Wi-Fi range") << "wifi5all" << 15 << 5.150 << 5.850;
        QTest::newRow("QO-100 uplink") << "qo100up" << 11 << 2.400 << 2.450;
        QTest::newRow("QO-100 downlink") << "qo100down" << 12 << 10.489 << 10.500;
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
        QVERIFY(!presetBand("wifi5"));
    }

    // The band the details open on: the first preset that covers the design's frequency,
    // else 2 % either side in whole MHz.
    void bandForADesign_data() {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<QString>("key"); // empty: a range of its own
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("step");
        QTest::newRow("2.4 GHz: Wi-Fi before QO-100") << 2.4 << "wifi24" << 0.0 << 0.0 << 0.0;
        QTest::newRow("2.5 GHz: the ISM band's top") << 2.5 << "wifi24" << 0.0 << 0.0 << 0.0;
        QTest::newRow("2.399 GHz: just below") << 2.399 << "" << 2.351 << 2.447 << 0.005;
        QTest::newRow("5.725 GHz: lowest of 5.8") << 5.725 << "wifi58" << 0.0 << 0.0 << 0.0;
        QTest::newRow("5.76 GHz amateurs") << 5.76 << "wifi58" << 0.0 << 0.0 << 0.0;
        QTest::newRow("5.8 GHz") << 5.8 << "wifi58" << 0.0 << 0.0 << 0.0;
        QTest::newRow("5.875 GHz: top of 5.8") << 5.875 << "wifi58" << 0.0 << 0.0 << 0.0;
        QTest::newRow("5.5 GHz: whole 5 GHz range") << 5.5 << "wifi5all" << 0.0 << 0.0 << 0.0;
        QTest::newRow("5.15 GHz") << 5.15 << "wifi5all" << 0.0 << 0.0 << 0.0;
        QTest::newRow("5.876 GHz: above every 5 GHz preset")
            << 5.876 << "" << 5.758 << 5.994 << 0.012;
        QTest::newRow("10.368 GHz") << 10.368 << "10g" << 0.0 << 0.0 << 0.0;
        QTest::newRow("10.489 GHz: QO-100 downlink") << 10.489 << "qo100down" << 0.0 << 0.0 << 0.0;
        QTest::newRow("10.5 GHz") << 10.5 << "qo100down" << 0.0 << 0.0 << 0.0;
        QTest::newRow("10.501 GHz") << 10.501 << "" << 10.291 << 10.711 << 0.021;
        QTest::newRow("24.048 GHz") << 24.048 << "24g" << 0.0 << 0.0 << 0.0;
        QTest::newRow("1.42 GHz: hydrogen line") << 1.42 << "hline" << 0.0 << 0.0 << 0.0;
        QTest::newRow("3.5 GHz") << 3.5 << "" << 3.43 << 3.57 << 0.007;
        QTest::newRow("1 GHz") << 1.0 << "" << 0.98 << 1.02 << 0.002;
        QTest::newRow("50 MHz: the step at its least") << 0.05 << "" << 0.049 << 0.051 << 0.001;
        QTest::newRow("0.1 MHz: the range at its least") << 0.0001 << "" << 0.001 << 0.001 << 0.001;
    }
    void bandForADesign() {
        QFETCH(double, frequency);
        QFETCH(QString, key);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, step);
        // As the entry converts the typed frequency.
        const Real typed = std::stold(QByteArray::number(frequency, 'g', 12).toStdString());
        const auto preset = presetCovering(typed);
        QCOMPARE(preset ? QString::fromStdString(preset->key) : QString(), key);
        if (preset)
            return;
        const Range range = rangeAround(typed);
        QVERIFY2(std::fabs(double(range.low) - low) < 1e-9,
                 qPrintable(QString::number(double(range.low))));
        QVERIFY2(std::fabs(double(range.high) - high) < 1e-9,
                 qPrintable(QString::number(double(range.high))));
        QVERIFY2(std::fabs(double(range.step) - step) < 1e-9,
                 qPrintable(QString::number(double(range.step))));
        const auto band = customBand(range.low, range.high, range.step);
        QVERIFY(band);
        QVERIFY(band->frequencies.size() >= 1 && band->frequencies.size() <= 22);
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
