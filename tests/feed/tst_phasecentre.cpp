#include "feed/PhaseCentre.h"
#include "tests/feed/CosineFeed.h"

#include <QTest>

#include <cmath>
#include <numbers>
#include <stdexcept>

using namespace vlnokan::feed;
using vlnokan::feed::test::cosineFeed;

class TestPhaseCentre final : public QObject {
    Q_OBJECT

private slots:
    // A feed radiating from a known point: the fit finds it, and the phase about it is flat.
    void knownCentre_data() {
        QTest::addColumn<double>("n");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("shiftMm");
        QTest::addColumn<double>("wavelengthMm");
        QTest::addColumn<double>("beamDeg");
        // -10 dB of cos^n where cos^n = 0.1: 71.6 and 55.8 degrees, the last sample above it.
        QTest::newRow("cos^2 inside the can") << 2.0 << 1.0 << -8.0 << 30.0 << 71.0;
        QTest::newRow("cos^2 beyond the mouth") << 2.0 << 2.0 << 12.5 << 125.0 << 70.0;
        QTest::newRow("cos^4 more than a wavelength in") << 4.0 << 1.0 << -40.0 << 28.6 << 55.0;
        QTest::newRow("at the mouth") << 2.0 << 1.0 << 0.0 << 30.0 << 71.0;
    }
    void knownCentre() {
        QFETCH(double, n);
        QFETCH(double, step);
        QFETCH(double, shiftMm);
        QFETCH(double, wavelengthMm);
        QFETCH(double, beamDeg);
        const FeedPattern pattern = cosineFeed(n, step, shiftMm, wavelengthMm);
        const PhaseCentre centre = phaseCentre(pattern, wavelengthMm);
        QVERIFY2(std::abs(centre.offsetMm - shiftMm) < 1e-6,
                 qPrintable(QString::number(centre.offsetMm)));
        QVERIFY(centre.flatnessDeg < 1e-6);
        QCOMPARE(centre.beamDeg, beamDeg);
        const PhaseCentre moved = phaseCentre(pattern.about(shiftMm, wavelengthMm), wavelengthMm);
        QVERIFY(std::abs(moved.offsetMm) < 1e-6);
    }

    // Planes with their own centres: the common one lies between them and the phase about it is
    // not flat. Each plane is then half the split off, which over the beam (71 degrees) turns its
    // phase by k * split / 2 * (1 - cos 71 deg); the fit leaves between half and all of that.
    void splitCentres_data() {
        QTest::addColumn<double>("eShift");
        QTest::addColumn<double>("hShift");
        QTest::newRow("6 mm apart") << -5.0 << -11.0;
        QTest::newRow("1 mm apart") << -5.0 << -6.0;
        QTest::newRow("H-plane in front") << -5.0 << 2.0;
    }
    void splitCentres() {
        QFETCH(double, eShift);
        QFETCH(double, hShift);
        const double turn = 360 / 30.0 * std::abs(eShift - hShift) / 2 *
                            (1 - std::cos(71 * std::numbers::pi / 180));
        // Both planes' fields meet on the axis: each plane's phase k d (cos theta - 1).
        const double k = 2 * std::numbers::pi / 30;
        FeedPattern pattern = cosineFeed(2, 1, eShift, 30);
        pattern.hPlane = cosineFeed(2, 1, hShift, 30).hPlane;
        for (std::size_t i = 0; i < pattern.thetaDeg.size(); ++i) {
            pattern.ePlane[i] *= std::polar(1.0, -k * eShift);
            pattern.hPlane[i] *= std::polar(1.0, -k * hShift);
        }
        const PhaseCentre centre = phaseCentre(pattern, 30);
        QVERIFY(centre.offsetMm < std::max(eShift, hShift));
        QVERIFY(centre.offsetMm > std::min(eShift, hShift));
        QVERIFY2(centre.flatnessDeg > turn / 2 && centre.flatnessDeg < 1.01 * turn,
                 qPrintable(QString::number(centre.flatnessDeg)));
    }

    // The simulation's cuts through the axis, -180 to 180 degrees in dB and degrees, folded.
    void foldedCuts() {
        std::vector<double> theta, eDb, ePhase, hDb, hPhase;
        const double lambda = 125, shift = -20;
        for (int t = -180; t <= 180; t += 2) {
            const double c = std::cos(t * std::numbers::pi / 180);
            theta.push_back(t);
            eDb.push_back(std::abs(t) < 90 ? 40 * std::log10(std::max(c, 1e-9)) : -300);
            hDb.push_back(eDb.back());
            // The phase wraps round many times at this distance, and the two sides differ
            // by whole turns.
            const double phase = 360 / lambda * shift * c + (t < 0 ? 720 : 0);
            ePhase.push_back(std::remainder(phase, 360.0));
            hPhase.push_back(phase);
        }
        const FeedPattern pattern = foldedPattern(theta, eDb, ePhase, hDb, hPhase);
        QCOMPARE(pattern.thetaDeg.size(), std::size_t(91));
        QCOMPARE(pattern.thetaDeg.front(), 0.0);
        QVERIFY(std::abs(std::abs(pattern.ePlane[30]) - 0.25) < 1e-9); // cos^2 60 degrees
        const PhaseCentre centre = phaseCentre(pattern, lambda);
        QVERIFY(std::abs(centre.offsetMm - shift) < 1e-6);

        theta[0] = -179;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 foldedPattern(theta, eDb, ePhase, hDb, hPhase));
        eDb.pop_back();
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 foldedPattern(theta, eDb, ePhase, hDb, hPhase));
    }

    void refusals_data() {
        QTest::addColumn<double>("wavelengthMm");
        QTest::addColumn<double>("n");
        QTest::newRow("no wavelength") << 0.0 << 2.0;
        QTest::newRow("beam narrower than a sample") << 30.0 << 20000.0;
    }
    void refusals() {
        QFETCH(double, wavelengthMm);
        QFETCH(double, n);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 phaseCentre(cosineFeed(n, 2), wavelengthMm));
    }
};

QTEST_APPLESS_MAIN(TestPhaseCentre)
#include "tst_phasecentre.moc"
