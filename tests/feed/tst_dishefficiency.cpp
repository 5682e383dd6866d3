#include "feed/DishEfficiency.h"
#include "tests/feed/CosineFeed.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

using namespace vlnokan::feed;
using vlnokan::feed::test::cos2Aperture;
using vlnokan::feed::test::cosineFeed;

namespace {

constexpr double degree = std::numbers::pi / 180;

} // namespace

class TestDishEfficiency final : public QObject {
    Q_OBJECT

private slots:
    void halfAngle_data() {
        QTest::addColumn<double>("fOverD");
        QTest::addColumn<double>("degrees");
        QTest::newRow("flat dish 0.25 sees 90 degrees") << 0.25 << 90.0;
        QTest::newRow("prime focus 0.4") << 0.4 << 64.01076641616699;
        QTest::newRow("shallow 1.0") << 1.0 << 28.072486935852954;
    }
    void halfAngle() {
        QFETCH(double, fOverD);
        QFETCH(double, degrees);
        QVERIFY(std::abs(halfAngleDeg(fOverD) - degrees) < 1e-9);
        QVERIFY(std::abs(fOverDForHalfAngle(degrees) - fOverD) < 1e-9);
    }

    // The textbook optimum of the cos^n feeds.
    void bestOfCosineFeeds_data() {
        QTest::addColumn<double>("n");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("aperture");
        QTest::addColumn<double>("halfAngle");
        QTest::addColumn<double>("spillover"); // negative: not checked
        QTest::newRow("cos^2, 1 degree samples") << 2.0 << 1.0 << 0.829 << 66.0 << 0.933;
        QTest::newRow("cos^2, 2 degree samples as simulated")
            << 2.0 << 2.0 << 0.829 << 66.0 << 0.933;
        QTest::newRow("cos^4") << 4.0 << 1.0 << 0.820 << 53.4 << -1.0;
    }
    void bestOfCosineFeeds() {
        QFETCH(double, n);
        QFETCH(double, step);
        QFETCH(double, aperture);
        QFETCH(double, halfAngle);
        QFETCH(double, spillover);
        const DishEfficiency best = bestDish(cosineFeed(n, step));
        qInfo("n %.0f: %.4f at %.2f deg, f/D %.3f, spillover %.4f, taper %.4f", n, best.aperture,
              best.halfAngleDeg, best.fOverD, best.spillover, best.taper);
        QVERIFY(std::abs(best.aperture - aperture) <= 0.003);
        QVERIFY(std::abs(best.halfAngleDeg - halfAngle) <= 1);
        if (spillover > 0) {
            QVERIFY(std::abs(best.spillover - spillover) <= 0.003);
            QVERIFY(std::abs(best.fOverD - 0.385) <= 0.01);
        }
        QVERIFY(std::abs(best.spillover * best.taper - best.aperture) < 1e-6);
        QVERIFY(std::abs(best.phase - 1) < 1e-9);
        QVERIFY(std::abs(best.crossPolar - 1) < 1e-9);
    }

    // Along the whole curve against the closed form; spillover 1 - cos^3 of the half-angle.
    void cos2Curve() {
        const auto curve = efficiencyCurve(cosineFeed(2), 0.25, 1.0, 0.05);
        QCOMPARE(curve.size(), std::size_t(16));
        QVERIFY(std::abs(curve.front().fOverD - 0.25) < 1e-12);
        QVERIFY(std::abs(curve.back().fOverD - 1.0) < 1e-12);
        for (const DishEfficiency& point : curve) {
            QVERIFY2(std::abs(point.aperture - cos2Aperture(point.halfAngleDeg)) < 0.002,
                     qPrintable(QString::number(point.fOverD)));
            const double spill = 1 - std::pow(std::cos(point.halfAngleDeg * degree), 3);
            QVERIFY(std::abs(point.spillover - spill) < 0.002);
        }
    }

    // A feed moved off the focus loses to phase error; one lighting a single plane loses half
    // its power to the crossed polarisation.
    void losses_data() {
        QTest::addColumn<double>("shiftWavelengths");
        QTest::addColumn<bool>("singlePlane");
        QTest::addColumn<double>("phase");
        QTest::addColumn<double>("crossPolar");
        QTest::newRow("at the focus") << 0.0 << false << 1.0 << 1.0;
        QTest::newRow("single plane") << 0.0 << true << 1.0 << 0.5;
        QTest::newRow("a quarter wave off") << 0.25 << false << -1.0 << 1.0;
    }
    void losses() {
        QFETCH(double, shiftWavelengths);
        QFETCH(bool, singlePlane);
        QFETCH(double, phase);
        QFETCH(double, crossPolar);
        FeedPattern pattern = cosineFeed(2, 1, 30 * shiftWavelengths, 30);
        if (singlePlane)
            for (auto& value : pattern.hPlane)
                value = 0;
        const DishEfficiency point = dishEfficiency(pattern, 0.4);
        if (phase > 0)
            QVERIFY(std::abs(point.phase - phase) < 1e-6);
        else
            QVERIFY(point.phase < 0.97);
        QVERIFY(std::abs(point.crossPolar - crossPolar) < 1e-6);
        QVERIFY(std::abs(point.spillover * point.taper * point.phase * point.crossPolar -
                         point.aperture) < 1e-9);
    }

    void offsetDish_data() {
        QTest::addColumn<double>("fOverD");
        QTest::addColumn<double>("clearance");
        QTest::addColumn<double>("equivalent");
        // Rim from the axis itself: half-angle atan(D / 2f).
        QTest::newRow("TV dish 0.6, rim at the axis") << 0.6 << 0.0 << 0.6905124837953327;
        // Rim 10 and 40 degrees half off the axis: a 30 degree half-angle, 1 / (4 tan 15).
        QTest::newRow("rim seen at 20 to 80 degrees")
            << 0.754406506735489 << 0.26604444311897807 << 0.9330127018922194;
    }
    void offsetDish() {
        QFETCH(double, fOverD);
        QFETCH(double, clearance);
        QFETCH(double, equivalent);
        QVERIFY(std::abs(offsetEquivalentFOverD(fOverD, clearance) - equivalent) < 1e-9);
    }

    void refusals_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("no samples") << 0;
        QTest::newRow("not up to 180 degrees") << 1;
        QTest::newRow("not a number") << 2;
        QTest::newRow("nothing on the axis") << 3;
        QTest::newRow("planes of different length") << 4;
        QTest::newRow("f/D zero") << 5;
        QTest::newRow("f/D not a number") << 6;
    }
    void refusals() {
        QFETCH(int, fault);
        FeedPattern pattern = cosineFeed(2, 2);
        double fOverD = 0.4;
        switch (fault) {
        case 0:
            pattern = {};
            break;
        case 1:
            pattern.thetaDeg.pop_back();
            pattern.ePlane.pop_back();
            pattern.hPlane.pop_back();
            break;
        case 2:
            pattern.ePlane[10] = std::numeric_limits<double>::quiet_NaN();
            break;
        case 3:
            pattern.ePlane[0] = pattern.hPlane[0] = 0;
            break;
        case 4:
            pattern.hPlane.pop_back();
            break;
        case 5:
            fOverD = 0;
            break;
        default:
            fOverD = std::numeric_limits<double>::quiet_NaN();
            break;
        }
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, dishEfficiency(pattern, fOverD));
    }
};

QTEST_APPLESS_MAIN(TestDishEfficiency)
#include "tst_dishefficiency.moc"
