#include "sim/PortResponse.h"
#include "sim/SimFaults.h"

#include <QTest>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

using namespace vlnokan::sim;

namespace {

// A Gaussian-modulated pulse around 2.4 GHz, as the engine feeds it.
double pulse(double t) {
    const double centre = 2.4e9;
    const double width = 1.0 / (2 * std::numbers::pi * 0.5e9);
    const double delay = 4 * width;
    const double x = (t - delay) / width;
    return std::exp(-0.5 * x * x) * std::cos(2 * std::numbers::pi * centre * (t - delay));
}

Trace sampled(double (*signal)(double), double scale, double offset) {
    Trace trace;
    for (int k = 0; k < 4000; ++k) {
        const double t = k * 5e-12 + offset;
        trace.time.push_back(t);
        trace.value.push_back(scale * signal(t));
    }
    return trace;
}

PortSample sampleAt(double db, double hz) {
    PortSample sample;
    sample.hz = hz;
    sample.s11Db = db;
    return sample;
}

} // namespace

// The feed's figures from the engine's voltage and current files.
class TestPortResponse final : public QObject {
    Q_OBJECT

private slots:
    void resistiveLoad_data() {
        QTest::addColumn<double>("ohms");
        QTest::addColumn<double>("s11Db");
        // |(R - 50) / (R + 50)| in dB.
        QTest::newRow("matched") << 50.0 << -300.0;
        QTest::newRow("twice the line") << 100.0 << 20 * std::log10(50.0 / 150.0);
        QTest::newRow("half the line") << 25.0 << 20 * std::log10(25.0 / 75.0);
        QTest::newRow("nearly open") << 5000.0 << 20 * std::log10(4950.0 / 5050.0);
    }
    void resistiveLoad() {
        QFETCH(double, ohms);
        QFETCH(double, s11Db);
        const Trace current = sampled(pulse, 1.0, 0);
        const Trace voltage = sampled(pulse, ohms, 0);
        const auto samples = portResponse(voltage, current, 50, {2.2e9, 2.4e9, 2.6e9});
        for (const PortSample& sample : samples) {
            QVERIFY2(std::abs(sample.impedance - std::complex<double>(ohms, 0)) < 1e-6 * ohms,
                     qPrintable(QString::number(sample.impedance.real())));
            if (s11Db < -200)
                QVERIFY(sample.s11Db < -100);
            else
                QVERIFY(std::abs(sample.s11Db - s11Db) < 1e-6);
            // A resistor takes all that is not reflected.
            const double reflected = std::pow(10, sample.s11Db / 10);
            QVERIFY(std::abs(sample.acceptedPower / sample.incidentPower - (1 - reflected)) < 1e-6);
        }
    }

    // The dipole's feed as the engine wrote it, against an independent transform of the same
    // files (numpy) at three frequencies.
    void storedDipoleRun_data() {
        QTest::addColumn<double>("hz");
        QTest::addColumn<double>("resistance");
        QTest::addColumn<double>("reactance");
        QTest::addColumn<double>("s11Db");
        QTest::newRow("below resonance") << 2.0e9 << 58.0564 << -31.4818 << -11.7491;
        QTest::newRow("near resonance") << 2.2e9 << 78.3327 << 11.5506 << -21.5326;
        QTest::newRow("above resonance") << 2.44e9 << 111.4498 << 59.6239 << -8.7306;
    }
    void storedDipoleRun() {
        QFETCH(double, hz);
        QFETCH(double, resistance);
        QFETCH(double, reactance);
        QFETCH(double, s11Db);
        std::ifstream u(VLNOKAN_SIM_DATA "/port_ut_1");
        std::ifstream i(VLNOKAN_SIM_DATA "/port_it_1");
        const auto sample = portResponse(readTrace(u), readTrace(i), 73, {hz}).front();
        QVERIFY(std::abs(sample.impedance.real() - resistance) < 0.01);
        QVERIFY(std::abs(sample.impedance.imag() - reactance) < 0.01);
        QVERIFY(std::abs(sample.s11Db - s11Db) < 0.001);
    }

    void brokenProbeFiles_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("remarks only") << "% t/s\tvoltage\n% nothing yet\n";
        QTest::newRow("one sample") << "% t/s\tvoltage\n0\t1\n";
        QTest::newRow("word for a number") << "0\t1\n1e-12\tnan\n";
        QTest::newRow("text in a line") << "0\t1\n1e-12\tabc\n";
        QTest::newRow("three columns") << "0\t1\n1e-12\t2\t3\n";
        QTest::newRow("cut in the middle") << "0\t1\n1e-12\n";
    }
    void brokenProbeFiles() {
        QFETCH(QString, text);
        std::istringstream in(text.toStdString());
        QVERIFY_THROWS_EXCEPTION(ESimulation, readTrace(in));
    }

    void probeFileWithWindowsLineEnds() {
        std::istringstream in("% remark\r\n0\t1\r\n1e-12\t2\r\n\r\n");
        const Trace trace = readTrace(in);
        QCOMPARE(trace.time.size(), std::size_t(2));
        QCOMPARE(trace.value[1], 2.0);
    }

    void bestMatchAndBand_data() {
        QTest::addColumn<QList<double>>("s11");
        QTest::addColumn<double>("bestHz");
        QTest::addColumn<double>("lowHz"); // 0: no band
        QTest::addColumn<double>("highHz");
        // Samples at 1, 2, 3, ... GHz.
        QTest::newRow("dip in the middle") << QList<double>{-2, -8, -20, -12, -4} << 3e9
                                           << 2e9 + 2.0 / 12 * 1e9 << 4e9 + 2.0 / 8 * 1e9;
        QTest::newRow("never below -10") << QList<double>{-2, -9, -5} << 2e9 << 0.0 << 0.0;
        QTest::newRow("band runs past the top")
            << QList<double>{-5, -15, -25} << 3e9 << 1e9 + 0.5e9 << 3e9;
        QTest::newRow("a second dip is another band")
            << QList<double>{-30, -5, -15} << 1e9 << 1e9 << 1e9 + 20.0 / 25 * 1e9;
    }
    void bestMatchAndBand() {
        QFETCH(QList<double>, s11);
        QFETCH(double, bestHz);
        QFETCH(double, lowHz);
        QFETCH(double, highHz);
        std::vector<PortSample> samples;
        for (int k = 0; k < s11.size(); ++k)
            samples.push_back(sampleAt(s11[k], (k + 1) * 1e9));
        const Match match = bestMatch(samples);
        QCOMPARE(match.bestHz, bestHz);
        QCOMPARE(match.bandLowHz.has_value(), lowHz > 0);
        if (lowHz > 0) {
            QVERIFY(std::abs(*match.bandLowHz - lowHz) < 1);
            QVERIFY(std::abs(*match.bandHighHz - highHz) < 1);
        }
    }

    void s11Interpolated() {
        const std::vector<PortSample> samples{sampleAt(-10, 1e9), sampleAt(-20, 2e9)};
        QCOMPARE(s11At(samples, 1.5e9), -15.0);
        QCOMPARE(s11At(samples, 0.5e9), -10.0);
        QCOMPARE(s11At(samples, 3e9), -20.0);
    }
};

QTEST_APPLESS_MAIN(TestPortResponse)
#include "tst_portresponse.moc"
