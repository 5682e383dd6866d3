#include "measure/Touchstone.h"
#include "measure/TrimAdvice.h"
#include "sim/TrimStudy.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <sstream>

using namespace vlnokan;
using namespace vlnokan::sim;

namespace {

// A simulation written as a NanoVNA saves its sweep: Hz, S, RI, 50 ohms, 101 points (every
// other of the simulation's 201), nine significant digits.
std::string nanoVnaFile(const SimResults& results) {
    std::string text = "! NanoVNA\n# HZ S RI R 50\n";
    for (std::size_t k = 0; k < results.band.size(); k += 2) {
        const auto& sample = results.band[k];
        const auto gamma = (sample.impedance - 50.0) / (sample.impedance + 50.0);
        char line[128];
        std::snprintf(line, sizeof line, "%.0f %.9e %.9e\n", sample.hz, gamma.real(), gamma.imag());
        text += line;
    }
    return text;
}

} // namespace

// The trim advice on "measurements" that are simulations of the same can with the probe made
// longer or shorter than designed, on the tests' coarse mesh (ten cells a wavelength).
class TestTrimSimulated final : public QObject {
    Q_OBJECT

    QTemporaryDir m_cache;
    SimSettings m_settings;
    CanOptions m_options;
    measure::TrimStudy m_study;
    const Design m_design = Design::complete(2.4L, 85, 40, 300);

private slots:
    void initTestCase() {
        // A cache of earlier runs may be named, so that a second run takes seconds.
        const char* cache = std::getenv("VLNOKAN_TEST_SIM_CACHE");
        m_settings.cacheFolder = cache && *cache ? cache : m_cache.path().toStdString();
        m_options.withFunnel = false;
        m_options.cellsPerWavelength = 10;
        SimResults design;
        double seconds = 0;
        QElapsedTimer timer;
        timer.start();
        std::atomic<bool> cancel{false};
        m_study = trimStudy(m_design, m_options, m_settings, design, seconds, {}, cancel);
        qInfo("design %.0f s%s, the two further simulations %.0f s (%.0f s in all)", design.seconds,
              design.fromCache ? " (cached)" : "", seconds, timer.elapsed() / 1000.0);
    }

    void advice_data() {
        QTest::addColumn<double>("longer");
        QTest::addColumn<int>("verdict");
        QTest::newRow("probe 2 mm longer: shorten by 2 mm")
            << 2.0 << int(measure::TrimAdvice::Verdict::Trim);
        QTest::newRow("probe 2 mm shorter: lengthen by 2 mm")
            << -2.0 << int(measure::TrimAdvice::Verdict::Trim);
        QTest::newRow("as designed: leave it") << 0.0 << int(measure::TrimAdvice::Verdict::Leave);
    }
    void advice() {
        QFETCH(double, longer);
        QFETCH(int, verdict);
        CanOptions built = m_options;
        built.probeLonger = longer;
        std::atomic<bool> cancel{false};
        const SimResults measured = simulate(canModel(m_design, built), m_settings, {}, cancel);
        std::istringstream file(nanoVnaFile(measured));
        const measure::Sweep sweep = measure::readTouchstone(file, "nanovna.s1p");
        QCOMPARE(sweep.samples.size(), std::size_t(101));
        const measure::TrimAdvice advice = measure::adviseTrim(m_study, sweep.samples);
        qInfo("longer %.2f mm (+- %.2f), further %.2f mm (+- %.2f); dip %.4f GHz against %.4f, "
              "%.1f MHz/mm longer, %.1f MHz/mm further %s",
              advice.longerMm, advice.lengthUncertaintyMm, advice.furtherMm,
              advice.heightUncertaintyMm, advice.measuredDipHz / 1e9, advice.simulatedDipHz / 1e9,
              advice.hzPerMmLonger / 1e6, advice.hzPerMmFurther / 1e6, advice.reason.c_str());
        QCOMPARE(int(advice.verdict), verdict);
        QVERIFY(advice.lengthUncertaintyMm <= 1.0);
        QVERIFY(std::abs(advice.longerMm - longer) <= advice.lengthUncertaintyMm);
        QVERIFY(std::abs(advice.furtherMm) <= advice.heightUncertaintyMm);
        QCOMPARE(advice.trimLength, longer != 0);
        QVERIFY(!advice.moveProbe);
    }
};

QTEST_APPLESS_MAIN(TestTrimSimulated)
#include "tst_trimsimulated.moc"
