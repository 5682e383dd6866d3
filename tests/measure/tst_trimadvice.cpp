#include "measure/TrimAdvice.h"

#include <QTest>

#include <cmath>

using namespace vlnokan::measure;

namespace {

using Samples = std::vector<SweepSample>;

// A made-up antenna whose answer to its probe is known exactly: the dip at f0, which falls by
// 10 MHz for each millimetre of a longer probe and rises by 5 MHz for each millimetre further
// from the bottom; R = 55 + 4 L + 5 h ohms; X rising by 0.8 ohms a MHz through f0.
struct Probe {
    double longer = 0;
    double further = 0;
};

double dipOf(Probe probe) {
    return 2.45e9 - 10e6 * probe.longer + 5e6 * probe.further;
}

Samples antenna(Probe probe, int count, double from = 1.92e9, double to = 2.88e9,
                std::optional<double> dip = std::nullopt, double resistance = 0,
                double ohmsPerMHz = 0.8) {
    const double f0 = dip.value_or(dipOf(probe));
    const double r = resistance > 0 ? resistance : 55 + 4 * probe.longer + 5 * probe.further;
    Samples samples;
    for (int k = 0; k < count; ++k) {
        const double hz = from + (to - from) * k / (count - 1);
        samples.push_back(sampleFromImpedance(hz, {r, ohmsPerMHz * (hz - f0) / 1e6}));
    }
    return samples;
}

TrimStudy study() {
    TrimStudy study;
    study.design = antenna({}, 201);
    study.longer = antenna({3, 0}, 201);
    study.further = antenna({0, 3}, 201);
    study.lengthStepMm = 3;
    study.heightStepMm = 3;
    study.designHz = 2.4e9;
    study.cellsPerWavelength = 10;
    study.probeLengthMm = 31.25;
    study.probeHeightMm = 61.65;
    return study;
}

} // namespace

class TestTrimAdvice final : public QObject {
    Q_OBJECT

private slots:
    void readsTheProbe_data() {
        QTest::addColumn<double>("longer");
        QTest::addColumn<double>("further");
        QTest::addColumn<bool>("trimLength");
        QTest::addColumn<bool>("moveProbe");
        QTest::newRow("as designed: leave it") << 0.0 << 0.0 << false << false;
        QTest::newRow("a tenth of a mm longer: leave it") << 0.1 << 0.0 << false << false;
        QTest::newRow("2 mm longer: shorten") << 2.0 << 0.0 << true << false;
        QTest::newRow("2 mm shorter: lengthen") << -2.0 << 0.0 << true << false;
        QTest::newRow("3 mm further from the bottom") << 0.0 << 3.0 << false << true;
        QTest::newRow("2 mm nearer the bottom") << 0.0 << -2.0 << false << true;
        QTest::newRow("both at once") << 1.5 << -2.0 << true << true;
        QTest::newRow("beyond the simulated step") << 5.0 << 0.0 << true << false;
    }
    void readsTheProbe() {
        QFETCH(double, longer);
        QFETCH(double, further);
        QFETCH(bool, trimLength);
        QFETCH(bool, moveProbe);
        const TrimAdvice advice = adviseTrim(study(), antenna({longer, further}, 101));
        QVERIFY2(advice.reason.empty(), advice.reason.c_str());
        QCOMPARE(advice.verdict,
                 trimLength || moveProbe ? TrimAdvice::Verdict::Trim : TrimAdvice::Verdict::Leave);
        QCOMPARE(advice.trimLength, trimLength);
        QCOMPARE(advice.moveProbe, moveProbe);
        // The made-up antenna is linear: the fit finds it to well within the uncertainty.
        QVERIFY2(std::abs(advice.longerMm - longer) < 0.1 &&
                     std::abs(advice.furtherMm - further) < 0.1,
                 qPrintable(QStringLiteral("%1 %2").arg(advice.longerMm).arg(advice.furtherMm)));
        // Never finer than the mesh: 1.1 % of the probe at 12 cells a wavelength, 0.36 mm.
        QVERIFY(advice.lengthUncertaintyMm >= 0.35 && advice.lengthUncertaintyMm <= 1.0);
        QVERIFY(advice.heightUncertaintyMm >= 0.7 && advice.heightUncertaintyMm <= 1.5);
        QVERIFY(std::abs(advice.hzPerMmLonger + 10e6) < 0.3e6);
        QVERIFY(std::abs(advice.hzPerMmFurther - 5e6) < 0.3e6);
        QVERIFY(std::abs(advice.measuredDipHz - dipOf({longer, further})) < 1e6);
    }

    void notThisAntenna_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<double>("dip");
        QTest::addColumn<double>("resistance");
        QTest::addColumn<double>("ohmsPerMHz");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no dip: 160 ohms throughout")
            << 1.92e9 << 2.88e9 << 2.45e9 << 160.0 << 0.8 << "žádný pokles";
        QTest::newRow("dip at 2.7 GHz, far from 2.45")
            << 1.92e9 << 2.88e9 << 2.7e9 << 0.0 << 0.8 << "daleko";
        QTest::newRow("the design frequency not swept")
            << 2.42e9 << 2.88e9 << 2.45e9 << 0.0 << 0.8 << "nezahrnuje";
        QTest::newRow("X at f that no probe explains")
            << 1.92e9 << 2.88e9 << 2.45e9 << 0.0 << 3.0 << "nedá vysvětlit";
        QTest::newRow("R at f only a far longer probe gives")
            << 1.92e9 << 2.88e9 << 2.45e9 << 140.0 << 0.8 << "nesahá";
    }
    void notThisAntenna() {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(double, dip);
        QFETCH(double, resistance);
        QFETCH(double, ohmsPerMHz);
        QFETCH(QString, reason);
        const TrimAdvice advice =
            adviseTrim(study(), antenna({}, 101, from, to, dip, resistance, ohmsPerMHz));
        QCOMPARE(advice.verdict, TrimAdvice::Verdict::NotThisAntenna);
        QVERIFY2(QString::fromStdString(advice.reason).contains(reason), advice.reason.c_str());
    }

    void roundsNoFinerThanTheUncertainty_data() {
        QTest::addColumn<double>("uncertainty");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("rounded");
        QTest::newRow("0.05 mm: tenths") << 0.05 << 1.83 << 0.1 << 1.8;
        QTest::newRow("0.3 mm: fifths") << 0.3 << 1.83 << 0.2 << 1.8;
        QTest::newRow("0.6 mm: halves") << 0.6 << 1.83 << 0.5 << 2.0;
        QTest::newRow("just under 1 mm: halves") << 0.99 << 1.2 << 0.5 << 1.0;
        QTest::newRow("1 mm: whole") << 1.0 << 1.6 << 1.0 << 2.0;
        QTest::newRow("3 mm: two") << 3.0 << 2.9 << 2.0 << 2.0;
    }
    void roundsNoFinerThanTheUncertainty() {
        QFETCH(double, uncertainty);
        QFETCH(double, value);
        QFETCH(double, step);
        QFETCH(double, rounded);
        QCOMPARE(adviceStep(uncertainty), step);
        QVERIFY(std::abs(roundTo(value, step) - rounded) < 1e-12);
    }
};

QTEST_APPLESS_MAIN(TestTrimAdvice)
#include "tst_trimadvice.moc"
