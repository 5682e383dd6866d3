#include "tests/support/CalcProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

// vlnokan-calc --simulate and --export-model as a user runs them, with stand-ins for the engine.
class TestCliSimulate final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    using Run = vlnokan::test::CalcRun;

    Run run(const QStringList& arguments, const QString& engine) {
        return vlnokan::test::runCalc(
            VLNOKAN_CALC, arguments, QStringLiteral("C"),
            {{"XDG_CACHE_HOME", m_folder.filePath("cache")}, {"VLNOKAN_OPENEMS", engine}});
    }

    QString engine(const QString& name, const QString& body) {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(("#!/bin/sh\n" + body).toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
    }

    // The file's permissions as QFileInfo gives them, from an octal mode.
    static int permissions(int mode) {
        int flags = 0;
        const std::pair<int, QFile::Permissions> bits[] = {
            {0400, QFile::ReadOwner | QFile::ReadUser},
            {0200, QFile::WriteOwner | QFile::WriteUser},
            {0100, QFile::ExeOwner | QFile::ExeUser},
            {0040, QFile::ReadGroup},
            {0020, QFile::WriteGroup},
            {0010, QFile::ExeGroup},
            {0004, QFile::ReadOther},
            {0002, QFile::WriteOther},
            {0001, QFile::ExeOther}};
        for (const auto& [bit, flag] : bits)
            if (mode & bit)
                flags |= int(flag);
        return flags;
    }

    static const QStringList& defaults() {
        static const QStringList entries{"2.4", "85", "40", "300"};
        return entries;
    }

private slots:
    void wrongOptions_data() {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("unknown quality") << QStringList{"--simulate", "--quality", "best"};
        QTest::newRow("quality without value") << QStringList{"--simulate", "--quality"};
        QTest::newRow("negative probe radius") << QStringList{"--simulate", "--probe-radius", "-1"};
        QTest::newRow("probe radius not a number")
            << QStringList{"--simulate", "--probe-radius", "1mm"};
        QTest::newRow("empty export folder") << QStringList{"--export-model", ""};
        QTest::newRow("dish f/D below 0.2") << QStringList{"--simulate", "--dish", "0.19"};
        QTest::newRow("dish f/D above 2") << QStringList{"--simulate", "--dish", "2.01"};
        QTest::newRow("dish f/D not a number") << QStringList{"--simulate", "--dish", "0.4x"};
        QTest::newRow("dish without simulating") << QStringList{"--dish", "0.4"};
        QTest::newRow("no funnel with a drawing") << QStringList{"--no-funnel", "--draw", "x"};
    }
    void wrongOptions() {
        QFETCH(QStringList, options);
        const Run result = run(options + defaults(), "/bin/false");
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.startsWith("usage: vlnokan-calc"));
        QVERIFY(result.out.isEmpty());
    }

    void missingEngineSaysWhatToInstall() {
        const Run result = run(QStringList{"--simulate"} + defaults(), "/nonexistent/openEMS");
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.out.startsWith("Lo = 125\n"));
        QVERIFY(result.out.endsWith("dH = 149\n"));
        QVERIFY2(result.err.contains("apt-get install openems"), qPrintable(result.err));
    }

    // Progress lines on a pipe, then the engine's failure with its own words, exit status 1.
    void engineFailureAfterProgress() {
        const QString failing = engine(
            "failing",
            "echo '[@ 4s] Timestep: 9 || Speed: 1 MC/s (1e-3 s/TS) || Energy: ~1e-9 (-20.00dB)'\n"
            "echo 'Operator::CalcECOperator: out of memory'\nexit 1\n");
        const Run result = run(QStringList{"--simulate"} + defaults(), failing);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains("simulace 50 %\n"), qPrintable(result.err));
        QVERIFY(result.err.contains("out of memory"));
        QVERIFY(!result.out.contains("gain ="));
    }

    void exportWritesModelAndScript() {
        const QString folder = m_folder.filePath("export");
        const Run result = run(QStringList{"--export-model", folder} + defaults(), "/bin/false");
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.startsWith("Lo = 125\n"));
        QVERIFY(result.out.contains("model = " + folder + "/model.xml, "));
        QVERIFY(QFile::exists(folder + "/model.xml"));
        QVERIFY(QFileInfo(folder + "/run.sh").isExecutable());
    }

    // The can alone is a smaller model, and a model of its own.
    void exportWithoutFunnel() {
        const QString withFunnel = m_folder.filePath("with");
        const QString alone = m_folder.filePath("alone");
        const Run first = run(QStringList{"--export-model", withFunnel} + defaults(), "/bin/false");
        const Run second =
            run(QStringList{"--no-funnel", "--export-model", alone} + defaults(), "/bin/false");
        QCOMPARE(second.exitCode, 0);
        const auto cells = [](const QString& out) {
            return out.section("model = ", 1).section(", ", 1, 1).section(' ', 0, 0).toLong();
        };
        QVERIFY(cells(second.out) > 0);
        QVERIFY(cells(second.out) < cells(first.out) / 3);
    }

    // --json keeps its one document on standard output, the simulation a member of it.
    void jsonHoldsTheSimulation() {
        const QString failing = engine("crash", "kill -SEGV $$\n");
        const Run result = run(QStringList{"--json", "--simulate"} + defaults(), failing);
        QCOMPARE(result.exitCode, 1);
        QJsonParseError error;
        const QJsonObject document = QJsonDocument::fromJson(result.out.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QVERIFY(document.contains("figures"));
        QVERIFY(document["simulation"].toObject()["fault"].toString().contains("havaroval"));
        // The document's own fault says so too.
        QVERIFY(document["fault"].toObject()["message"].toString().contains("havaroval"));
    }

    // A design far too large is refused from its size at once, nothing of it built or written.
    void hugeDesignRefusedAtOnce_data() {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("simulate") << QStringList{"--simulate"};
        QTest::newRow("export") << QStringList{"--export-model", "huge"};
        QTest::newRow("simulate, fine") << QStringList{"--simulate", "--quality", "fine"};
        QTest::newRow("JSON") << QStringList{"--json", "--simulate"};
    }
    void hugeDesignRefusedAtOnce() {
        QFETCH(QStringList, options);
        const int at = options.indexOf("huge");
        if (at >= 0)
            options[at] = m_folder.filePath("huge");
        QElapsedTimer timer;
        timer.start();
        const Run result = run(options + QStringList{"100", "125", "20", "10000"}, "/bin/false");
        const qint64 took = timer.elapsed();
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(took < 1000, qPrintable(QString::number(took) + " ms"));
        // The estimate and what this machine has free.
        QVERIFY2(result.err.contains(QRegularExpression("asi \\d+ MB \\([0-9.e+]+ buněk\\), "
                                                        "volných je \\d+ MB")),
                 qPrintable(result.err));
        QCOMPARE(result.err.count("error:"), 1);
        QVERIFY(!QFile::exists(m_folder.filePath("huge/model.xml")));
    }

    // The details and the sweep have no place among the simulation's lines.
    void detailsOptionsInTextMode_data() {
        QTest::addColumn<QStringList>("options");
        for (const QStringList& action :
             {QStringList{"--simulate"}, QStringList{"--export-model", "unused"}}) {
            QTest::addRow("%s --details", qPrintable(action[0]))
                << action + QStringList{"--details"};
            QTest::addRow("%s --band", qPrintable(action[0]))
                << action + QStringList{"--band", "wifi24"};
            QTest::addRow("%s --sweep", qPrintable(action[0]))
                << action + QStringList{"--sweep", "2.4:2.5:0.05"};
        }
    }
    void detailsOptionsInTextMode() {
        QFETCH(QStringList, options);
        const Run result = run(options + defaults(), "/bin/false");
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.startsWith("usage: vlnokan-calc"));
        QVERIFY(result.out.isEmpty());
        QVERIFY(!QFile::exists("unused"));
    }

    // The model and its script are replaced together or not at all, under a size limit as a
    // shell sets it or with a folder in the script's place.
    void exportRefusedKeepsBoth_data() {
        QTest::addColumn<bool>("sizeLimit");
        QTest::newRow("size limit") << true;
        QTest::newRow("a folder in run.sh's place") << false;
    }
    void exportRefusedKeepsBoth() {
        QFETCH(bool, sizeLimit);
        const QString folder = m_folder.filePath(QStringLiteral("kept ") + QTest::currentDataTag());
        QDir().mkpath(folder);
        write(folder + "/model.xml", "older model");
        if (sizeLimit)
            write(folder + "/run.sh", "older script");
        else
            QDir().mkpath(folder + "/run.sh/inside");
        const Run result = vlnokan::test::runCalc(
            "/bin/sh",
            QStringList{"-c",
                        sizeLimit ? "trap '' XFSZ; ulimit -f 1; exec \"$0\" \"$@\""
                                  : "exec \"$0\" \"$@\"",
                        VLNOKAN_CALC, "--export-model", folder} +
                defaults(),
            QStringLiteral("C"), {{"XDG_CACHE_HOME", m_folder.filePath("cache")}});
        QCOMPARE(result.exitCode, 1);
        // Under the size limit the model is refused while it is made, before it is written.
        const QString said = sizeLimit ? "error: Model antény se nepodařilo zapsat"
                                       : "error: cannot write " + folder + "/run.sh: ";
        QVERIFY2(result.err.startsWith(said), qPrintable(result.err));
        QCOMPARE(result.err.count("error:"), 1);
        QCOMPARE(read(folder + "/model.xml"), QByteArray("older model"));
        if (sizeLimit)
            QCOMPARE(read(folder + "/run.sh"), QByteArray("older script"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 sizeLimit ? QStringList({"model.xml", "run.sh"}) : QStringList({"model.xml"}));
    }

    void exportFileModes_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("script");
        QTest::newRow("022") << "022" << 0644 << 0755;
        QTest::newRow("077") << "077" << 0600 << 0700;
        QTest::newRow("002") << "002" << 0664 << 0775;
    }
    void exportFileModes() {
        QFETCH(QString, mask);
        QFETCH(int, model);
        QFETCH(int, script);
        const QString folder = m_folder.filePath("modes " + mask);
        const Run result = vlnokan::test::runCalc(
            "/bin/sh", QStringList{"-c", "umask " + mask + "; exec \"$0\" \"$@\"", VLNOKAN_CALC,
                                   "--export-model", folder} +
                           defaults());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(int(QFileInfo(folder + "/model.xml").permissions()), permissions(model));
        QCOMPARE(int(QFileInfo(folder + "/run.sh").permissions()), permissions(script));
    }

    // Without HOME and XDG_CACHE_HOME there is no cache, and the engine works in a folder of
    // this user's own among the temporary files, removed afterwards.
    void noHomeNoSharedFolder() {
        const QString tmp = m_folder.filePath("tmp");
        QDir().mkpath(tmp);
        const QString where = m_folder.filePath("where");
        const QString recording = engine("recording", "pwd > '" + where + "'\nexit 1\n");
        const Run result = vlnokan::test::runCalc(
            "/usr/bin/env",
            QStringList{"-u", "HOME", "-u", "XDG_CACHE_HOME", VLNOKAN_CALC, "--simulate"} +
                defaults(),
            QStringLiteral("C"), {{"VLNOKAN_OPENEMS", recording}, {"TMPDIR", tmp}});
        QCOMPARE(result.exitCode, 1);
        const QString folder = QString::fromUtf8(read(where)).trimmed();
        QVERIFY2(folder.startsWith(tmp + "/vlnokan-run-"), qPrintable(folder));
        QVERIFY(!QFileInfo::exists(folder));
        QCOMPARE(QDir(tmp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    // A run folder whose process was killed is removed by the next run.
    void staleRunRemovedByNextRun() {
        const QString stale = m_folder.filePath("cache/vlnokan/simulations/run-Stale1");
        QDir().mkpath(stale);
        write(stale + "/model.xml", "<openEMS/>");
        write(stale + "/owner", QSysInfo::machineHostName().toUtf8() + " 999999999\n");
        const Run result = run(QStringList{"--simulate"} + defaults(), "/bin/false");
        QCOMPARE(result.exitCode, 1);
        QVERIFY(!QFileInfo::exists(stale));
    }
};

QTEST_APPLESS_MAIN(TestCliSimulate)
#include "tst_clisimulate.moc"
