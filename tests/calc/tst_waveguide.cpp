#include "calc/Waveguide.h"

#include <QElapsedTimer>
#include <QTest>

#include <cmath>

using namespace vlnokan;
using namespace vlnokan::waveguide;

namespace {

QStringList namesOf(const std::vector<Mode>& modes) {
    QStringList names;
    for (const Mode& mode : modes)
        names << QString::fromStdString(mode.name());
    return names;
}

const Mode* find(const std::vector<Mode>& modes, const QString& name) {
    for (const Mode& mode : modes)
        if (QString::fromStdString(mode.name()) == name)
            return &mode;
    return nullptr;
}

// The modes an f GHz wave excites in a can of diameter D.
QStringList propagating(double frequency, double diameter) {
    std::vector<Mode> carried;
    const Real lo = 300.0L / frequency;
    for (const Mode& mode : modesBelow(largestTabulatedZero))
        if (cutoffWavelength(mode, diameter) > lo)
            carried.push_back(mode);
    return namesOf(carried);
}

} // namespace

class TestWaveguide final : public QObject {
    Q_OBJECT

private slots:
    // Zeros of Jn (TM) and J'n (TE) as tabulated in Abramowitz & Stegun, tables 9.5 and 9.7.
    void besselZerosMatchTheTables_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<double>("zero");
        QTest::newRow("TE11") << "TE11" << 1.841183781;
        QTest::newRow("TM01") << "TM01" << 2.404825558;
        QTest::newRow("TE21") << "TE21" << 3.054236928;
        QTest::newRow("TE01") << "TE01" << 3.831705970;
        QTest::newRow("TM11") << "TM11" << 3.831705970;
        QTest::newRow("TE31") << "TE31" << 4.201188941;
        QTest::newRow("TM21") << "TM21" << 5.135622302;
        QTest::newRow("TE41") << "TE41" << 5.317553126;
        QTest::newRow("TE12") << "TE12" << 5.331442774;
        QTest::newRow("TM02") << "TM02" << 5.520078110;
        QTest::newRow("TM31") << "TM31" << 6.380161896;
        QTest::newRow("TE51") << "TE51" << 6.415616376;
        QTest::newRow("TE22") << "TE22" << 6.706133194;
        QTest::newRow("TE02") << "TE02" << 7.015586670;
        QTest::newRow("TM12") << "TM12" << 7.015586670;
        QTest::newRow("TE61") << "TE61" << 7.501266145;
        QTest::newRow("TM41") << "TM41" << 7.588342435;
        QTest::newRow("TE32") << "TE32" << 8.015236598;
        QTest::newRow("TM03 far up") << "TM03" << 8.653727913;
        QTest::newRow("TM010 near the table's end") << "TM010" << 30.634606468;
    }
    void besselZerosMatchTheTables() {
        QFETCH(QString, mode);
        QFETCH(double, zero);
        const std::vector<Mode> modes = modesBelow(largestTabulatedZero);
        const Mode* found = find(modes, mode);
        QVERIFY2(found, qPrintable(mode));
        QVERIFY2(std::fabs(double(found->p) - zero) < 1e-8,
                 qPrintable(QString::number(double(found->p), 'f', 10)));
    }

    void lowestModesComeInOrder() {
        const QStringList expected{"TE11", "TM01", "TE21", "TE01", "TM11", "TE31",
                                   "TM21", "TE41", "TE12", "TM02", "TM31", "TE51",
                                   "TE22", "TE02", "TM12", "TE61", "TM41"};
        QCOMPARE(namesOf(modesBelow(7.85L)), expected);
        // Only modes below the limit, nothing at x = 0 (J'n(0) = 0 for n ≥ 2 is no mode).
        QCOMPARE(namesOf(modesBelow(1.8L)), QStringList());
    }

    // λc = π D / p and fc = 300 / λc, worked out by hand from the tabulated zeros.
    void cutoffOfModes_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<double>("diameter");
        QTest::addColumn<double>("wavelength");
        QTest::addColumn<double>("frequency");
        QTest::newRow("TE11, 85 mm") << "TE11" << 85.0 << 145.0346 << 2.068472;
        QTest::newRow("TE11, 20 mm") << "TE11" << 20.0 << 34.1258 << 8.791005;
        QTest::newRow("TM01, 125 mm") << "TM01" << 125.0 << 163.2963 << 1.837151;
        QTest::newRow("TM11, 85 mm") << "TM11" << 85.0 << 69.6910 << 4.304717;
        QTest::newRow("TM21, 85 mm") << "TM21" << 85.0 << 51.9967 << 5.769598;
        QTest::newRow("TE12, 125 mm") << "TE12" << 125.0 << 73.6572 << 4.072922;
        QTest::newRow("TM41, 125 mm at 6 GHz's edge") << "TM41" << 125.0 << 51.7503 << 5.797067;
    }
    void cutoffOfModes() {
        QFETCH(QString, mode);
        QFETCH(double, diameter);
        QFETCH(double, wavelength);
        QFETCH(double, frequency);
        const std::vector<Mode> modes = modesBelow(largestTabulatedZero);
        const Mode* found = find(modes, mode);
        QVERIFY(found);
        QVERIFY(std::fabs(double(cutoffWavelength(*found, diameter)) - wavelength) < 1e-4);
        QVERIFY(std::fabs(double(cutoffFrequency(*found, diameter)) - frequency) < 1e-6);
    }

    void modesACanCarries_data() {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<double>("diameter");
        QTest::addColumn<QStringList>("modes");
        QTest::newRow("2.4 GHz, 85 mm") << 2.4 << 85.0 << QStringList{"TE11"};
        QTest::newRow("2.4 GHz, 120 mm") << 2.4 << 120.0 << QStringList{"TE11", "TM01"};
        QTest::newRow("5.8 GHz, 85 mm")
            << 5.8 << 85.0 << QStringList{"TE11", "TM01", "TE21", "TE01", "TM11", "TE31", "TM21"};
        QTest::newRow("2.4 GHz, 70 mm: nothing") << 2.4 << 70.0 << QStringList();
        // 300 / 2.0684718 GHz is TE11's cut-off in 85 mm: just above and just below it.
        QTest::newRow("just above TE11's cut-off") << 2.0685 << 85.0 << QStringList{"TE11"};
        QTest::newRow("just below TE11's cut-off") << 2.0684 << 85.0 << QStringList();
    }
    void modesACanCarries() {
        QFETCH(double, frequency);
        QFETCH(double, diameter);
        QFETCH(QStringList, modes);
        QCOMPARE(propagating(frequency, diameter), modes);
    }

    // Lo / 1.706 < D < Lo / 1.306, Lo = 300 / f.
    void singleModeWindows_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("smallest");
        QTest::addColumn<double>("largest");
        QTest::newRow("2.4 GHz") << 2.4 << 2.4 << 73.2708 << 95.7121;
        QTest::newRow("Wi-Fi channels 1-14") << 2.412 << 2.484 << 72.9063 << 92.4755;
        QTest::newRow("5.8 GHz") << 5.8 << 5.8 << 30.3190 << 39.6050;
        QTest::newRow("1.3 GHz to 2.6 GHz: no can serves") << 1.3 << 2.6 << 135.2692 << 88.3496;
    }
    void singleModeWindows() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, smallest);
        QFETCH(double, largest);
        const DiameterWindow window =
            low == high ? singleModeWindow(low) : singleModeWindow(low, high);
        QVERIFY(std::fabs(double(window.smallest) - smallest) < 1e-4);
        QVERIFY(std::fabs(double(window.largest) - largest) < 1e-4);
        QCOMPARE(window.empty(), smallest >= largest);
    }

    void guideWavelengthOnlyAboveCutoff() {
        QVERIFY(!guideWavelength(125, 125).has_value());
        QVERIFY(!guideWavelength(125, 100).has_value());
        QVERIFY(!guideWavelength(-60, 145).has_value());
        QCOMPARE(QString::number(double(*guideWavelength(125, 145.01L)), 'f', 2), "246.60");
    }

    void wholeTableIsQuick() {
        QElapsedTimer timer;
        timer.start();
        const auto modes = modesBelow(largestTabulatedZero);
        QVERIFY(modes.size() > 300);
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    }
};

QTEST_APPLESS_MAIN(TestWaveguide)
#include "tst_waveguide.moc"
