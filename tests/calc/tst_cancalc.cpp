#include "calc/CanCalc.h"
#include "tests/support/Faults.h"

#include <QTest>

#include <cstdlib>

using namespace vlnokan;

namespace {

Real real(const QString& text) {
    return std::strtold(text.toLatin1().constData(), nullptr);
}

} // namespace

class TestCanCalc final : public QObject {
    Q_OBJECT

private slots:
    void guideWavelengthOfWorkedCans_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<QString>("guide");
        QTest::newRow("defaults 2.4 GHz, 85 mm") << "2.4" << 85 << "246.60";
        QTest::newRow("largest can at 2.4 GHz") << "2.4" << 125 << "154.28";
        QTest::newRow("widened can at 2.4 GHz") << "2.4" << 74 << "892.61";
        QTest::newRow("5.8 GHz in an 85 mm can") << "5.8" << 85 << "55.37";
    }
    void guideWavelengthOfWorkedCans() {
        QFETCH(QString, frequency);
        QFETCH(int, diameter);
        QFETCH(QString, guide);
        const Real lo = can::freeSpaceWavelength(real(frequency));
        const Real lg = can::guideWavelength(lo, can::cutoffWavelength(diameter));
        QCOMPARE(QString::number(double(lg), 'f', 2), guide);
    }

    // The smallest diameter from Round(Lo / 1.68) up whose cut-off wavelength exceeds Lo.
    void propagatingDiameter_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<int>("diameter");
        QTest::newRow("2.4 GHz: Round(74.40)") << "2.4" << 74;
        QTest::newRow("1.42 GHz just above 125") << "1.42" << 126;
        QTest::newRow("1 GHz") << "1.0" << 179;
        QTest::newRow("40 GHz raised from 4 to 5") << "40" << 5;
        QTest::newRow("24 GHz raised from 7 to 8") << "24" << 8;
        QTest::newRow("400 GHz raised from 0 to 1") << "400" << 1;
        QTest::newRow("10 GHz needs no raise") << "10" << 18;
        QTest::newRow("negative wavelength far below") << "-0.000001" << -175849941;
    }
    void propagatingDiameter() {
        QFETCH(QString, frequency);
        QFETCH(int, diameter);
        const Real lo = can::freeSpaceWavelength(real(frequency));
        const std::int32_t found = can::propagatingDiameter(lo);
        QCOMPARE(found, diameter);
        QVERIFY(can::cutoffWavelength(found) > lo);
        QVERIFY(!(can::cutoffWavelength(found - 1) > lo) || found == checked::round32(lo / 1.68L));
    }

    void propagatingDiameterBeyond32Bits() {
        const test::Outcome outcome = test::outcomeOf(
            [] { can::propagatingDiameter(can::freeSpaceWavelength(real("8e-8"))); });
        QCOMPARE(outcome.kind, QString("ERangeError"));
    }
};

QTEST_GUILESS_MAIN(TestCanCalc)
#include "tst_cancalc.moc"
