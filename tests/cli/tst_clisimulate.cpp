#include "tests/support/CalcProcess.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

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
    }
};

QTEST_APPLESS_MAIN(TestCliSimulate)
#include "tst_clisimulate.moc"
