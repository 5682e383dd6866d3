#include "core/Faults.h"
#include "sim/Engine.h"
#include "sim/SimFaults.h"
#include "sim/Simulation.h"
#include "tests/sim/ScriptEngine.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <thread>

using namespace vlnokan;
using namespace vlnokan::sim;

namespace {

SimModel tinyModel() {
    SimModel model;
    model.centreHz = 2.4e9;
    model.halfBandHz = 0.48e9;
    model.mesh = {std::vector<double>{0, 1, 2}, {0, 1, 2}, {0, 1, 2}};
    return model;
}

} // namespace

// Running the engine as a child process: progress, failures, cancelling, leftovers.
class TestSimEngine final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    std::filesystem::path script(const QString& name, const QString& body) {
        return writeScript(m_folder.filePath(name), body);
    }

    SimSettings settings() {
        SimSettings s;
        s.cacheFolder = (m_folder.path() + "/cache").toStdString();
        s.threads = 1;
        return s;
    }

private slots:
    void missingEngineNamesThePackage() {
        ScriptLauncher launcher(std::nullopt);
        Engines::Replacement replacement(launcher);
        std::atomic<bool> cancel{false};
        try {
            simulate(tinyModel(), settings(), {}, cancel);
            QFAIL("no fault");
        } catch (const ESimulation& fault) {
            QVERIFY(fault.message().find("apt-get install openems") != std::string::npos);
        }
        QCOMPARE(launcher.starts, 0);
    }

    void tooLargeModelRefusedBeforeStarting() {
        ScriptLauncher launcher(script("never", "exit 0\n"));
        Engines::Replacement replacement(launcher);
        SimSettings s = settings();
        s.memoryLimit = 20u << 20;
        std::atomic<bool> cancel{false};
        QVERIFY_THROWS_EXCEPTION(ESimulation, simulate(tinyModel(), s, {}, cancel));
        QCOMPARE(launcher.starts, 0);
    }

    // A crash or an error exit is a failure with the engine's last words, never a result; the
    // run's folder does not stay behind.
    void engineFailures_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("said");
        QTest::newRow("error exit") << "echo 'openEMS: Error File-Loading failed!!!'\nexit 1\n"
                                    << "File-Loading failed";
        QTest::newRow("killed by a signal") << "echo 'segfault ahead'\nkill -SEGV $$\n"
                                            << "signál 11";
        QTest::newRow("exits well but writes nothing") << "echo done\nexit 0\n"
                                                       << "napětí a proud";
    }
    void engineFailures() {
        QFETCH(QString, body);
        QFETCH(QString, said);
        ScriptLauncher launcher(script("failing", body));
        Engines::Replacement replacement(launcher);
        std::atomic<bool> cancel{false};
        try {
            simulate(tinyModel(), settings(), {}, cancel);
            QFAIL("no fault");
        } catch (const ESimulation& fault) {
            QVERIFY2(QString::fromStdString(fault.message()).contains(said),
                     fault.message().c_str());
        }
        QVERIFY(processGone(launcher.lastId));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(settings().cacheFolder),
                               std::filesystem::directory_iterator()),
                 0);
    }

    void progressReachesTheCaller() {
        ScriptLauncher launcher(script(
            "reporting",
            "test -f model.xml || exit 3\n"
            "echo '[@ 4s] Timestep: 100 || Speed: 1 MC/s (1e-3 s/TS) || Energy: ~1e-9 (- 0.00dB)'\n"
            "echo '[@ 8s] Timestep: 200 || Speed: 1 MC/s (1e-3 s/TS) || Energy: ~1e-11 "
            "(-20.00dB)'\n"
            "exit 4\n"));
        Engines::Replacement replacement(launcher);
        std::vector<Progress> seen;
        std::atomic<bool> cancel{false};
        QVERIFY_THROWS_EXCEPTION(
            ESimulation,
            simulate(
                tinyModel(), settings(), [&](const Progress& p) { seen.push_back(p); }, cancel));
        QCOMPARE(seen.size(), std::size_t(2));
        QCOMPARE(seen[1].timestep, 200UL);
        QCOMPARE(seen[1].share, 0.5);
    }

    // Cancelling ends the run within a second, whether the engine heeds the ABORT file or not,
    // and leaves no process.
    void cancelStopsTheEngine_data() {
        QTest::addColumn<QString>("body");
        QTest::newRow("heeds ABORT")
            << "while [ ! -f ABORT ]; do echo '[@ 1s] Timestep: 1 || Energy: ~1 (-1.00dB)'; "
               "sleep 0.05; done\nexit 0\n";
        QTest::newRow("ignores ABORT") << "trap '' TERM\nwhile :; do sleep 0.05; done\n";
    }
    void cancelStopsTheEngine() {
        QFETCH(QString, body);
        ScriptLauncher launcher(script("endless", body));
        Engines::Replacement replacement(launcher);
        std::atomic<bool> cancel{false};
        std::thread canceller([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            cancel = true;
        });
        QElapsedTimer timer;
        timer.start();
        bool aborted = false;
        try {
            simulate(tinyModel(), settings(), {}, cancel);
        } catch (const EAbort&) {
            aborted = true;
        }
        const qint64 afterCancel = timer.elapsed() - 300;
        canceller.join();
        QVERIFY(aborted);
        QVERIFY2(afterCancel < 1000, qPrintable(QString::number(afterCancel)));
        QVERIFY(processGone(launcher.lastId));
    }
};

QTEST_APPLESS_MAIN(TestSimEngine)
#include "tst_simengine.moc"
