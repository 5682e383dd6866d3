#include "core/FileWriter.h"
#include "sim/ResultCache.h"
#include "sim/SimFaults.h"

#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <unistd.h>

using namespace vlnokan::sim;
namespace fs = std::filesystem;

namespace {

SimResults sampleResults() {
    SimResults results;
    results.centreHz = 2.4e9;
    results.cells = 121072;
    results.seconds = 151.5;
    results.gainDbi = 8.36;
    results.efficiency = 0.99;
    results.farField.directivityDbi = 8.4;
    results.farField.radiatedPower = 1.25e-12;
    results.farField.frontToBackDb = 10.8;
    results.farField.pattern = {
        {-180, 0, 180}, {-10.8, 0, -10.8}, {-12, -0.5, -12}, {170, -3, 169.5}, {-90, -2.5, 91}};
    for (int k = 0; k < 3; ++k)
        results.band.push_back({2.2e9 + k * 0.2e9, {50.0 + k, -3.0 * k}, -5.0 - 10 * k, 1, 2});
    return results;
}

std::size_t filesIn(const fs::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

} // namespace

// Finished simulations kept per model, so that the same antenna is not simulated twice.
class TestResultCache final : public QObject {
    Q_OBJECT

private slots:
    void sameModelSameKey() {
        QCOMPARE(modelKey("<openEMS/>"), modelKey("<openEMS/>"));
        QCOMPARE(modelKey("<openEMS/>").size(), std::size_t(32));
    }

    void changedModelOtherKey_data() {
        QTest::addColumn<QString>("other");
        QTest::newRow("a digit") << "<Line>61.66</Line>";
        QTest::newRow("a space more") << "<Line>61.65 </Line>";
        QTest::newRow("empty") << "";
        QTest::newRow("swapped digits") << "<Line>61.56</Line>";
    }
    void changedModelOtherKey() {
        QFETCH(QString, other);
        QVERIFY(modelKey("<Line>61.65</Line>") != modelKey(other.toStdString()));
    }

    void storedResultsComeBack() {
        QTemporaryDir folder;
        const ResultCache cache(folder.path().toStdString());
        QVERIFY(!cache.find("abc").has_value());
        const SimResults stored = sampleResults();
        cache.store("abc", stored);
        const auto found = cache.find("abc");
        QVERIFY(found.has_value());
        QVERIFY(found->fromCache);
        QCOMPARE(found->gainDbi, stored.gainDbi);
        QCOMPARE(found->cells, stored.cells);
        QCOMPARE(found->farField.pattern.hPlaneDb, stored.farField.pattern.hPlaneDb);
        QCOMPARE(found->farField.pattern.ePlanePhaseDeg, stored.farField.pattern.ePlanePhaseDeg);
        QCOMPARE(found->farField.pattern.hPlanePhaseDeg, stored.farField.pattern.hPlanePhaseDeg);
        QCOMPARE(found->band.size(), stored.band.size());
        QCOMPARE(found->band[2].impedance, stored.band[2].impedance);
        // The match is worked out again from the band: -25 dB at 2.6 GHz.
        QCOMPARE(found->match.bestHz, 2.6e9);
        QCOMPARE(found->s11AtCentreDb, -5.0 - 10 * 1);
        // Only the results file, no temporary one, stays.
        QCOMPARE(filesIn(folder.path().toStdString()), std::size_t(1));
    }

    // A file cut short (a crash while writing by an older program, a full disk) or altered by
    // hand is no result: the model is simulated again.
    void damagedFileIsAMiss_data() {
        QTest::addColumn<int>("keep"); // characters of the good file kept; -1: garbage
        QTest::newRow("header only") << 21;
        QTest::newRow("half") << -2;
        QTest::newRow("all but the end mark") << -4;
        QTest::newRow("garbage") << -1;
    }
    void damagedFileIsAMiss() {
        QFETCH(int, keep);
        QTemporaryDir folder;
        const ResultCache cache(folder.path().toStdString());
        cache.store("key", sampleResults());
        std::stringstream good;
        writeResults(good, sampleResults());
        std::string text = good.str();
        if (keep == -1)
            text = "vlnokan-simulation 1\ncentre x\n";
        else if (keep == -2)
            text.resize(text.size() / 2);
        else if (keep == -4)
            text.resize(text.size() - 4);
        else
            text.resize(std::size_t(keep));
        std::ofstream(cache.fileFor("key"), std::ios::trunc) << text;
        QVERIFY(!cache.find("key").has_value());
        std::istringstream in(text);
        QVERIFY_THROWS_EXCEPTION(ESimulation, readResults(in));
    }

    void unwritableFolderFailsClearly() {
        const ResultCache cache("/proc/vlnokan-cannot-be-here");
        QVERIFY_THROWS_EXCEPTION(vlnokan::EFileWrite, cache.store("key", sampleResults()));
    }

    // Results of a finished run are good whether or not the cache takes them: keeping them
    // either succeeds quietly or says why not.
    void keepWarnsWhenTheEntryCannotBeWritten_data() {
        QTest::addColumn<bool>("blocked");
        QTest::newRow("written") << false;
        QTest::newRow("a folder in the entry's place") << true;
    }
    void keepWarnsWhenTheEntryCannotBeWritten() {
        QFETCH(bool, blocked);
        QTemporaryDir folder;
        const ResultCache cache(folder.path().toStdString());
        if (blocked)
            fs::create_directories(cache.fileFor("key") / "inside");
        const std::string warning = cache.keep("key", sampleResults());
        QCOMPARE(warning.empty(), !blocked);
        if (blocked)
            QVERIFY(warning.find(cache.fileFor("key").string()) != std::string::npos);
        QCOMPARE(cache.find("key").has_value(), !blocked);
    }

    // Figures a run may give that are no finite number read back as they were written.
    void infiniteFiguresReadBack_data() {
        QTest::addColumn<double>("frontToBack");
        QTest::addColumn<double>("gain");
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("front to back inf") << inf << 8.36;
        QTest::newRow("front to back -inf") << -inf << 8.36;
        QTest::newRow("gain nan") << 10.8 << nan;
        QTest::newRow("gain -nan") << 10.8 << -nan;
        QTest::newRow("smallest subnormal") << 4.9406564584124654e-324 << -1e308;
    }
    void infiniteFiguresReadBack() {
        QFETCH(double, frontToBack);
        QFETCH(double, gain);
        QTemporaryDir folder;
        const ResultCache cache(folder.path().toStdString());
        SimResults results = sampleResults();
        results.farField.frontToBackDb = frontToBack;
        results.gainDbi = gain;
        results.farField.pattern.ePlaneDb[0] = -std::numeric_limits<double>::infinity();
        cache.store("key", results);
        const auto found = cache.find("key");
        QVERIFY(found.has_value());
        QCOMPARE(std::isnan(found->gainDbi), std::isnan(gain));
        if (!std::isnan(gain))
            QCOMPARE(found->gainDbi, gain);
        QCOMPARE(found->farField.frontToBackDb, frontToBack);
        QCOMPARE(found->farField.pattern.ePlaneDb[0], -std::numeric_limits<double>::infinity());
    }

    // Run folders left by killed processes go; those of live ones, of another machine sharing
    // the folder, and fresh ones without an owner yet stay.
    void staleRunsRemoved_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("owner"); // "-": no owner file
        QTest::addColumn<int>("ageHours");
        QTest::addColumn<bool>("removed");
        const QString host = QSysInfo::machineHostName();
        QTest::newRow("dead process") << "run-aaaaaa" << host + " 999999999" << 0 << true;
        QTest::newRow("this process")
            << "run-bbbbbb" << host + " " + QString::number(getpid()) << 0 << false;
        QTest::newRow("process 1 lives") << "run-cccccc" << host + " 1" << 0 << false;
        QTest::newRow("another machine") << "run-dddddd"
                                         << "elsewhere.invalid 999999999" << 48 << false;
        QTest::newRow("no owner, fresh") << "run-eeeeee"
                                         << "-" << 0 << false;
        QTest::newRow("no owner, two days old") << "run-ffffff"
                                                << "-" << 48 << true;
        QTest::newRow("not a run folder") << "results" << host + " 999999999" << 48 << false;
    }
    void staleRunsRemoved() {
        QFETCH(QString, name);
        QFETCH(QString, owner);
        QFETCH(int, ageHours);
        QFETCH(bool, removed);
        QTemporaryDir folder;
        const fs::path run = fs::path(folder.path().toStdString()) / name.toStdString();
        fs::create_directories(run);
        std::ofstream(run / "model.xml") << "<openEMS/>";
        if (owner != "-")
            std::ofstream(run / "owner") << owner.toStdString() << '\n';
        fs::last_write_time(run, fs::file_time_type::clock::now() - std::chrono::hours(ageHours));
        removeStaleRuns(folder.path().toStdString());
        QCOMPARE(!fs::exists(run), removed);
    }

    void cacheFolderFollowsXdg_data() {
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("expected");
        QTest::newRow("XDG set") << "/x/cache"
                                 << "/home/u"
                                 << "/x/cache/vlnokan/simulations";
        QTest::newRow("XDG unset") << ""
                                   << "/home/u"
                                   << "/home/u/.cache/vlnokan/simulations";
        // A relative XDG_CACHE_HOME is invalid and ignored.
        QTest::newRow("XDG relative") << "rel"
                                      << "/home/u"
                                      << "/home/u/.cache/vlnokan/simulations";
        // Nowhere of the user's own: no cache rather than a folder all accounts share.
        QTest::newRow("neither") << ""
                                 << ""
                                 << "";
        QTest::newRow("HOME relative") << ""
                                       << "home"
                                       << "";
    }
    void cacheFolderFollowsXdg() {
        QFETCH(QString, xdg);
        QFETCH(QString, home);
        QFETCH(QString, expected);
        const QByteArray oldXdg = qgetenv("XDG_CACHE_HOME");
        const QByteArray oldHome = qgetenv("HOME");
        const auto set = [](const char* name, const QByteArray& value) {
            if (value.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, value);
        };
        set("XDG_CACHE_HOME", xdg.toUtf8());
        set("HOME", home.toUtf8());
        const std::string folder = defaultCacheFolder().string();
        set("XDG_CACHE_HOME", oldXdg);
        set("HOME", oldHome);
        QCOMPARE(QString::fromStdString(folder), expected);
    }
};

QTEST_APPLESS_MAIN(TestResultCache)
#include "tst_resultcache.moc"
