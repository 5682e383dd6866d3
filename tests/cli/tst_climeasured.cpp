#include "tests/support/CalcProcess.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// vlnokan-calc --measured as a builder runs it on his analyser's file. The figures expected
// are worked out by hand from the few samples of each file.
class TestCliMeasured final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    using Run = vlnokan::test::CalcRun;

    QString file(const QString& name, const QByteArray& text) {
        const QString path = m_folder.filePath(name);
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(text);
        return path;
    }

    // The openEMS engine made unfindable: a measurement needs none.
    Run run(const QStringList& arguments) {
        return vlnokan::test::runCalc(
            VLNOKAN_CALC, arguments, QStringLiteral("C"),
            {{"VLNOKAN_OPENEMS", "/nonexistent/openEMS"}, {"PATH", "/usr/bin:/bin"}});
    }

    static QStringList defaults() { return {"2.4", "85", "40", "300"}; }

private slots:
    void lines_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("lines");
        // |S11| 0.5, 0.2, 0.1, 0.2, 0.5: -6.02, -13.98, -20 dB; -10 dB halfway between the
        // first two samples and the last two; 0.1 is 50 * 1.1 / 0.9 = 61.1 ohms.
        QTest::newRow("dip on the design frequency")
            << QByteArray("! hand-made\n# MHz S RI R 50\n2300 0.5 0\n2350 0.2 0\n2400 0.1 0\n"
                          "2450 0.2 0\n2500 0.5 0\n")
            << QStringList{"measured = a.s1p, 5 points, 2.300 - 2.500 GHz",
                           "measured best match = 2.400 GHz, -20.0 dB, 61.1 + j0.0 ohm",
                           "measured S11 < -10 dB = 2.325 - 2.475 GHz",
                           "measured S11 at f = -20.0 dB",
                           "measured Z at f = 61.1 + j0.0 ohm",
                           "f in measured band = yes"};
        // -10 dB at 3.9794 / 13.9794 = 0.2847 of the step from either end.
        QTest::newRow("design frequency not swept")
            << QByteArray("# GHz S RI R 50\n2.5 0.5 0\n2.6 0.1 0\n2.7 0.5 0\n")
            << QStringList{"measured = a.s1p, 3 points, 2.500 - 2.700 GHz",
                           "measured best match = 2.600 GHz, -20.0 dB, 61.1 + j0.0 ohm",
                           "measured S11 < -10 dB = 2.528 - 2.672 GHz",
                           "measured S11 at f = not swept",
                           "measured Z at f = not swept",
                           "f in measured band = not swept"};
        // 0.2 is 50 * 1.2 / 0.8 = 75 ohms.
        QTest::newRow("band from the sweep's start")
            << QByteArray("# GHz S RI R 50\n2.3 0.1 0\n2.4 0.2 0\n2.5 0.5 0\n")
            << QStringList{"measured best match = 2.300 GHz, -20.0 dB, 61.1 + j0.0 ohm",
                           "measured S11 < -10 dB = 2.300 (sweep start) - 2.450 GHz",
                           "measured S11 at f = -14.0 dB", "measured Z at f = 75.0 + j0.0 ohm",
                           "f in measured band = yes"};
        QTest::newRow("no band, reactive")
            << QByteArray("# GHz Z RI R 50\n2.3 1 1\n2.4 1 2\n2.5 1 3\n")
            << QStringList{"measured S11 < -10 dB = none", "measured Z at f = 50.0 + j100.0 ohm",
                           "f in measured band = no"};
    }
    void lines() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, lines);
        const Run result = run(QStringList{"--measured", file("a.s1p", text)} + defaults());
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.err.isEmpty());
        QVERIFY(result.out.startsWith("Lo = 125\n"));
        const QStringList printed = result.out.split('\n');
        const int first = int(printed.indexOf("dH = 149"));
        QVERIFY(first >= 0);
        for (const QString& line : lines)
            QVERIFY2(printed.indexOf(line) > first, qPrintable(line + "\n" + result.out));
    }

    void unreadableFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << "" << QByteArray() << "nelze otevřít";
        QTest::newRow("a row cut short")
            << "b.s1p" << QByteArray("# GHz S RI R 50\n2.4 0 0\n2.5 0\n")
            << "Soubor b.s1p, řádek 3";
        QTest::newRow("a four-port file") << "c.s4p" << QByteArray("# GHz S RI R 50\n") << "4 bran";
    }
    void unreadableFiles() {
        QFETCH(QString, name);
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        const QString path = name.isEmpty() ? m_folder.filePath("none.s1p") : file(name, text);
        const Run result = run(QStringList{"--measured", path} + defaults());
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.out.endsWith("dH = 149\n"));
        QVERIFY2(result.err.startsWith("error: ") && result.err.contains(error),
                 qPrintable(result.err));

        const Run json = run(QStringList{"--json", "--measured", path} + defaults());
        QCOMPARE(json.exitCode, 1);
        const QJsonObject document = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QVERIFY(document["measured"].toObject()["fault"].toString().contains(error));
    }

    void jsonHoldsEverySample() {
        const QString path = file(
            "n.s1p", "# Hz S RI R 50\n2400000000 0.2 -0.1\n2410000000 0 0\n2420000000 0.6 0\n");
        const Run result = run(QStringList{"--json", "--measured", path} + defaults());
        QCOMPARE(result.exitCode, 0);
        const QJsonObject measured =
            QJsonDocument::fromJson(result.out.toUtf8()).object()["measured"].toObject();
        QCOMPARE(measured["file"].toString(), QStringLiteral("n.s1p"));
        const QJsonArray samples = measured["samples"].toArray();
        QCOMPARE(samples.size(), 3);
        // 0.2 - j0.1 is (950 - j200) / 13 ohms.
        const QJsonObject first = samples[0].toObject();
        QCOMPARE(first["frequency"].toDouble(), 2.4);
        QVERIFY(std::abs(first["resistance"].toDouble() - 950.0 / 13) < 1e-9);
        QVERIFY(std::abs(first["reactance"].toDouble() + 200.0 / 13) < 1e-9);
        // |S11|^2 0.05, 0, 0.36 on 10 MHz steps: the parabola's vertex 0.155 / 0.41 of a step
        // below the middle sample.
        QVERIFY(std::abs(measured["bestMatch"].toObject()["frequency"].toDouble() -
                         (2.41 - 0.01 * 0.155 / 0.41)) < 1e-9);
        QCOMPARE(measured["frequencyInBand"].toBool(), true);
    }

    void wrongUsage_data() {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("no file name") << QStringList{"--measured", ""};
        QTest::newRow("with --draw") << QStringList{"--measured", "a.s1p", "--draw", "x"};
        QTest::newRow("with --template")
            << QStringList{"--measured", "a.s1p", "--template", "t.pdf"};
    }
    void wrongUsage() {
        QFETCH(QStringList, options);
        const Run result = run(options + defaults());
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.startsWith("usage: vlnokan-calc"));
    }

    // The builder's file stays as it was, and nothing is written beside it.
    void writesNothing() {
        QTemporaryDir folder;
        const QString path = folder.filePath("antenna.s1p");
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write("# MHz S RI R 50\n2400 0.1 0\n2450 0.2 0\n");
        out.close();
        out.setPermissions(QFile::ReadOwner);
        const Run result = run(QStringList{"--json", "--measured", path} + defaults());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"antenna.s1p"});
        out.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_APPLESS_MAIN(TestCliMeasured)
#include "tst_climeasured.moc"
