#include "measure/MatchReading.h"

#include <QTest>

#include <cmath>

using namespace vlnokan::measure;

namespace {

using Samples = std::vector<SweepSample>;

// An antenna of 50 ohms plus a reactance rising by ohmsPerMHz through f0: |S11| is
// x / sqrt(100^2 + x^2), so S11 is -10 dB where x = 100 / 3 ohms.
Samples resonance(double f0, double ohmsPerMHz, double from, double to, int count,
                  double resistance = 50) {
    Samples samples;
    for (int k = 0; k < count; ++k) {
        const double hz = from + (to - from) * k / (count - 1);
        samples.push_back(sampleFromImpedance(hz, {resistance, ohmsPerMHz * (hz - f0) / 1e6}));
    }
    return samples;
}

// A reflection whose power |S11|^2 is a parabola with its vertex at f0.
Samples parabola(double f0, double from, double step, int count) {
    Samples samples;
    for (int k = 0; k < count; ++k) {
        const double hz = from + step * k;
        const double power = 0.01 + 1e-17 * (hz - f0) * (hz - f0);
        samples.push_back(sampleFromReflection(hz, std::polar(std::sqrt(power), 0.3)));
    }
    return samples;
}

} // namespace

class TestMatchReading final : public QObject {
    Q_OBJECT

private slots:
    void band_data() {
        QTest::addColumn<double>("f0");
        QTest::addColumn<double>("ohmsPerMHz");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<double>("design");
        QTest::addColumn<bool>("inBand");
        QTest::addColumn<bool>("openLow");
        QTest::addColumn<bool>("openHigh");
        // Edges at f0 -+ (100 / 3) / ohmsPerMHz MHz.
        QTest::newRow("dip at 2.4 GHz, design on it")
            << 2.4e9 << 0.5 << 2.0e9 << 2.8e9 << 2.4e9 << true << false << false;
        QTest::newRow("design just inside the upper edge")
            << 2.4e9 << 0.5 << 2.0e9 << 2.8e9 << 2.466e9 << true << false << false;
        QTest::newRow("design just outside the upper edge")
            << 2.4e9 << 0.5 << 2.0e9 << 2.8e9 << 2.4675e9 << false << false << false;
        QTest::newRow("band running past the sweep's start")
            << 2.05e9 << 0.2 << 2.0e9 << 2.8e9 << 2.1e9 << true << true << false;
        QTest::newRow("band running past the sweep's end")
            << 2.75e9 << 0.2 << 2.0e9 << 2.8e9 << 2.4e9 << false << false << true;
    }
    void band() {
        QFETCH(double, f0);
        QFETCH(double, ohmsPerMHz);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(double, design);
        QFETCH(bool, inBand);
        QFETCH(bool, openLow);
        QFETCH(bool, openHigh);
        const MatchReading reading = readMatch(resonance(f0, ohmsPerMHz, from, to, 801), design);
        QCOMPARE(reading.bands.size(), std::size_t(1));
        const Band& band = reading.bands.front();
        const double half = 100.0 / 3 / ohmsPerMHz * 1e6;
        // Linear between samples 1 MHz apart: within a tenth of a MHz.
        QVERIFY2(std::abs(band.lowHz - std::max(f0 - half, from)) < 1e5,
                 qPrintable(QString::number(band.lowHz)));
        QVERIFY2(std::abs(band.highHz - std::min(f0 + half, to)) < 1e5,
                 qPrintable(QString::number(band.highHz)));
        QCOMPARE(band.openLow, openLow);
        QCOMPARE(band.openHigh, openHigh);
        QCOMPARE(reading.designInBand, inBand);
        QVERIFY(std::abs(reading.best.hz - f0) < 1e6);
        QVERIFY(reading.best.s11Db < -40);
        QVERIFY(reading.atDesign);
        const double x = ohmsPerMHz * (design - f0) / 1e6;
        QVERIFY(std::abs(reading.atDesign->impedance.imag() - x) < 0.01);
        QVERIFY(std::abs(reading.atDesign->impedance.real() - 50) < 0.01);
    }

    void twoBandsAndDesignOutsideTheSweep() {
        Samples samples = resonance(2.2e9, 0.5, 2.0e9, 2.4e9, 401);
        const Samples second = resonance(2.6e9, 0.5, 2.401e9, 2.8e9, 400);
        samples.insert(samples.end(), second.begin(), second.end());
        const MatchReading reading = readMatch(samples, 3.0e9);
        QCOMPARE(reading.bands.size(), std::size_t(2));
        QVERIFY(reading.bands[0].highHz < reading.bands[1].lowHz);
        QVERIFY(!reading.atDesign);
        QVERIFY(!reading.designInBand);
    }

    void noBandWhereS11StaysAbove10dB() {
        const MatchReading reading = readMatch(resonance(2.4e9, 0.5, 2e9, 2.8e9, 81, 150), 2.4e9);
        QVERIFY(reading.bands.empty());
        // 150 ohms: (150 - 50) / 200 = 0.5, -6.02 dB.
        QVERIFY(std::abs(reading.best.s11Db - 20 * std::log10(0.5)) < 1e-6);
    }

    void dipBetweenSamples_data() {
        QTest::addColumn<double>("f0");
        QTest::newRow("on a sample") << 2.4e9;
        QTest::newRow("a third of a step above") << 2.4e9 + 10e6 / 3;
        QTest::newRow("just below a midpoint") << 2.4e9 - 4.9e6;
    }
    void dipBetweenSamples() {
        QFETCH(double, f0);
        const Samples samples = parabola(f0, 2.0e9, 10e6, 81);
        QVERIFY(std::abs(dipFrequency(samples) - f0) < 1);
        QVERIFY(std::abs(readMatch(samples, 2.4e9).best.hz - f0) < 1);
    }

    void dipAtTheEdgeIsMarked() {
        const MatchReading reading = readMatch(resonance(1.9e9, 0.5, 2e9, 2.8e9, 81), 2.4e9);
        QVERIFY(reading.bestAtEdge);
        QCOMPARE(reading.best.hz, 2e9);
    }

    void interpolatesTheReflection_data() {
        QTest::addColumn<double>("hz");
        QTest::addColumn<double>("re");
        QTest::addColumn<double>("im");
        QTest::newRow("midway") << 2.45e9 << 0.1 << 0.2;
        QTest::newRow("a quarter") << 2.425e9 << 0.15 << 0.1;
        QTest::newRow("on the first sample") << 2.4e9 << 0.2 << 0.0;
        QTest::newRow("on the last sample") << 2.5e9 << 0.0 << 0.4;
    }
    void interpolatesTheReflection() {
        QFETCH(double, hz);
        QFETCH(double, re);
        QFETCH(double, im);
        const Samples samples{sampleFromReflection(2.4e9, {0.2, 0}),
                              sampleFromReflection(2.5e9, {0, 0.4})};
        const auto sample = sampleAt(samples, hz);
        QVERIFY(sample);
        QVERIFY(std::abs(sample->reflection - std::complex<double>(re, im)) < 1e-12);
        QVERIFY(!sampleAt(samples, 2.3999e9));
        QVERIFY(!sampleAt(samples, 2.5001e9));
    }
};

QTEST_APPLESS_MAIN(TestMatchReading)
#include "tst_matchreading.moc"
