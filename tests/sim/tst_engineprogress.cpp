#include "sim/EngineProgress.h"

#include <QTest>

#include <fstream>
#include <string>

using namespace vlnokan::sim;

// Reading the engine's reports and telling the user how long the run still takes.
class TestEngineProgress final : public QObject {
    Q_OBJECT

private slots:
    void reports_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("isReport");
        QTest::addColumn<qulonglong>("timestep");
        QTest::addColumn<double>("energyDb");
        QTest::newRow("before the pulse")
            << "[@        4s] Timestep:          279 || Speed:   20.3 MC/s (1.465e-02 s/TS) || "
               "Energy: ~1.23e-17 (- 0.00dB)"
            << true << 279ULL << 0.0;
        QTest::newRow("decaying")
            << "[@        8s] Timestep:         2200 || Speed:   22.4 MC/s (5.751e-03 s/TS) || "
               "Energy: ~3.71e-16 (-14.15dB)"
            << true << 2200ULL << -14.15;
        QTest::newRow("minutes")
            << "[@     2m27s] Timestep:        23140 || Speed:   21.3 MC/s (6.038e-03 s/TS) || "
               "Energy: ~6.64e-19 (-41.63dB)"
            << true << 23140ULL << -41.63;
        QTest::newRow("summary") << "Time for 1239 iterations with 297680.00 cells : 12.17 sec"
                                 << false << 0ULL << 0.0;
        QTest::newRow("speed") << "Speed: 30.30 MCells/s " << false << 0ULL << 0.0;
        QTest::newRow("warning") << "Warning: Unused primitive (type: Cylinder) detected" << false
                                 << 0ULL << 0.0;
        QTest::newRow("cut off") << "[@ 4s] Timestep: 279 || Speed: 20.3 MC/s || Energy: ~1.2"
                                 << false << 0ULL << 0.0;
        QTest::newRow("empty") << "" << false << 0ULL << 0.0;
    }
    void reports() {
        QFETCH(QString, line);
        QFETCH(bool, isReport);
        QFETCH(qulonglong, timestep);
        QFETCH(double, energyDb);
        const auto report = parseEngineReport(line.toStdString());
        QCOMPARE(report.has_value(), isReport);
        if (report) {
            QCOMPARE(qulonglong(report->timestep), timestep);
            QCOMPARE(report->energyDb, energyDb);
        }
    }

    // The engine's output of a whole run: every progress line is read, nothing else is.
    void storedRun() {
        std::ifstream in(VLNOKAN_SIM_DATA "/engine-output.txt");
        std::string line;
        int reports = 0;
        double last = 0;
        while (std::getline(in, line))
            if (const auto report = parseEngineReport(line)) {
                ++reports;
                last = report->energyDb;
            }
        QCOMPARE(reports, 3);
        QCOMPARE(last, -66.73);
    }

    void estimate_data() {
        QTest::addColumn<QList<double>>("seconds");
        QTest::addColumn<QList<double>>("energyDb");
        QTest::addColumn<double>("share");
        QTest::addColumn<double>("secondsLeft"); // negative: not known yet
        QTest::newRow("pulse still feeding")
            << QList<double>{4, 8} << QList<double>{0, -1} << 1.0 / 40 << -1.0;
        // From -10 dB at 10 s to -20 dB at 20 s: 1 dB a second, 20 dB to go.
        QTest::newRow("steady decay")
            << QList<double>{10, 20} << QList<double>{-10, -20} << 0.5 << 20.0;
        // A report that climbs back does not take the bar backwards.
        QTest::newRow("energy climbs back")
            << QList<double>{10, 20, 30} << QList<double>{-10, -30, -25} << 0.75 << 20.0;
        QTest::newRow("past the stop level")
            << QList<double>{10, 20} << QList<double>{-10, -45} << 1.0 << 0.0;
    }
    void estimate() {
        QFETCH(QList<double>, seconds);
        QFETCH(QList<double>, energyDb);
        QFETCH(double, share);
        QFETCH(double, secondsLeft);
        ProgressEstimate estimate(-40);
        Progress progress;
        for (int k = 0; k < seconds.size(); ++k)
            progress = estimate.update({std::size_t(k) * 100, energyDb[k]}, seconds[k]);
        QVERIFY(std::abs(progress.share - share) < 1e-9);
        QCOMPARE(progress.secondsLeft.has_value(), secondsLeft >= 0);
        if (progress.secondsLeft)
            QVERIFY2(std::abs(*progress.secondsLeft - secondsLeft) < 1e-9,
                     qPrintable(QString::number(*progress.secondsLeft)));
    }
};

QTEST_APPLESS_MAIN(TestEngineProgress)
#include "tst_engineprogress.moc"
