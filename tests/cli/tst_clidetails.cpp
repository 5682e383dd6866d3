#include "tests/support/CalcProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

// vlnokan-calc's antenna details, band sweeps and JSON document, run as a script would.
class TestCliDetails final : public QObject {
    Q_OBJECT

    using Run = vlnokan::test::CalcRun;

    static Run run(const QStringList& arguments, const QString& lcAll = "C") {
        return vlnokan::test::runCalc(VLNOKAN_CALC, arguments, lcAll);
    }

    static QJsonObject json(const QStringList& arguments, int exitCode = 0) {
        const Run result = run(QStringList{"--json"} + arguments);
        if (result.exitCode != exitCode)
            qWarning() << result.exitCode << result.err;
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
        if (error.error != QJsonParseError::NoError)
            qWarning() << error.errorString() << result.out;
        return document.object();
    }

    static bool near(const QJsonValue& value, double expected, double tolerance) {
        return value.isDouble() && std::fabs(value.toDouble() - expected) < tolerance;
    }

    static QStringList names(const QJsonArray& array) {
        QStringList list;
        for (const QJsonValue& value : array)
            list << value.toString();
        return list;
    }

private slots:
    void malformedOptionsAreUsageErrors_data() {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("unknown band") << QStringList{"--band", "wifi6"};
        QTest::newRow("5 GHz band by its old name") << QStringList{"--band", "wifi5"};
        QTest::newRow("band without its value") << QStringList{"--band"};
        QTest::newRow("band and sweep") << QStringList{"--band", "wifi24", "--sweep", "1:2:1"};
        QTest::newRow("sweep of two parts") << QStringList{"--sweep", "2.4:2.5"};
        QTest::newRow("sweep of four parts") << QStringList{"--sweep", "1:2:0.1:3"};
        QTest::newRow("sweep of words") << QStringList{"--sweep", "a:b:c"};
        QTest::newRow("sweep with an empty part") << QStringList{"--sweep", "2.4::0.1"};
        QTest::newRow("sweep downwards") << QStringList{"--sweep", "2.5:2.4:0.01"};
        QTest::newRow("sweep with zero step") << QStringList{"--sweep", "2.4:2.5:0"};
        QTest::newRow("sweep with negative step") << QStringList{"--sweep", "2.4:2.5:-0.1"};
        QTest::newRow("sweep from zero") << QStringList{"--sweep", "0:2.5:0.1"};
        QTest::newRow("sweep to infinity") << QStringList{"--sweep", "1:inf:1"};
        QTest::newRow("sweep of a million rows") << QStringList{"--sweep", "1:2:0.000001"};
        QTest::newRow("sweep with trailing text") << QStringList{"--sweep", "1:2:0.5GHz"};
        QTest::newRow("details given twice") << QStringList{"--details", "--details"};
        QTest::newRow("details with drawings") << QStringList{"--details", "--draw", "x"};
        QTest::newRow("json with drawings") << QStringList{"--json", "--draw", "x"};
        QTest::newRow("details with the template")
            << QStringList{"--details", "--template", "t.pdf"};
        QTest::newRow("template paper without the template")
            << QStringList{"--details", "--paper", "A3"};
    }
    void malformedOptionsAreUsageErrors() {
        QFETCH(QStringList, options);
        const Run result = run(options + QStringList{"2.4", "85", "40", "300"});
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QString());
        QVERIFY(result.err.startsWith("usage: vlnokan-calc"));
    }

    void detailsFollowTheFigures_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("defaults")
            << QStringList{"2.4", "85", "40", "300"} << "C"
            << QStringList{"dH = 149",
                           "fine Lo = 125.0",
                           "fine Lg = 246.6",
                           "fine Lo/4 = 31.2",
                           "fine Lg/4 = 61.7",
                           "fine 3/4 Lg = 185.0",
                           "fine R = 438.6",
                           "fine r = 124.3",
                           "fine phi = 123.13",
                           "modes = TE11",
                           "mode TE11 = 2.068 GHz, 145.0 mm, propagates",
                           "mode TM01 = 2.702 GHz, 111.0 mm, cut off",
                           "single-mode D = 73.3 to 95.7 mm",
                           "horn s = 0.205",
                           "horn directivity = 16.1 dBi",
                           "horn optimum Du = 405.5 mm",
                           "horn note = estimate for an ideal horn, not a measurement"};
        QTest::newRow("5.8 GHz in 85 mm, Czech locale")
            << QStringList{"5,8", "85", "40", "300"} << "cs_CZ.UTF-8"
            << QStringList{"fine Lg/4 = 13,8", "modes = TE11 TM01 TE21 TE01 TM11 TE31 TM21",
                           "mode TM21 = 5,770 GHz, 52,0 mm, propagates",
                           "mode TE41 = 5,974 GHz, 50,2 mm, cut off",
                           "warning = Plechovka je pro tento kmitočet příliš široká, šíří se v "
                           "ní i vyšší vidy; použijte plechovku o průměru mezi 30,3 a 39,6 mm."};
        QTest::newRow("24 GHz in 10 mm: the finer figure")
            << QStringList{"24.048", "10", "40", "300"} << "C"
            << QStringList{"Lg/4 = 5", "fine Lg/4 = 4.6", "modes = TE11 TM01"};
    }
    void detailsFollowTheFigures() {
        QFETCH(QStringList, entries);
        QFETCH(QString, lcAll);
        QFETCH(QStringList, lines);
        const Run result = run(QStringList{"--details"} + entries, lcAll);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.err, QString());
        const QStringList out = result.out.split('\n');
        int at = 0;
        for (const QString& line : lines) {
            const int found = int(out.indexOf(line, at));
            QVERIFY2(found >= 0, qPrintable(line + "\n---\n" + result.out));
            at = found + 1;
        }
    }

    // The warning of a can too wide comes once: after the figures, or among the details.
    void warningOnceWithDetailsOrBands_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("before"); // the line the warning follows
        QTest::newRow("band") << QStringList{"--band", "wifi58"} << "dH = ";
        QTest::newRow("sweep") << QStringList{"--sweep", "5.7:5.9:0.1"} << "dH = ";
        QTest::newRow("details") << QStringList{"--details"} << "single-mode D = ";
        QTest::newRow("details and band")
            << QStringList{"--details", "--band", "wifi58"} << "single-mode D = ";
    }
    void warningOnceWithDetailsOrBands() {
        QFETCH(QStringList, options);
        QFETCH(QString, before);
        const Run result = run(options + QStringList{"5.8", "85", "40", "300"});
        QCOMPARE(result.exitCode, 0);
        const QStringList out = result.out.split('\n');
        const QString warning = "warning = Plechovka je pro tento kmitočet příliš široká, šíří se "
                                "v ní i vyšší vidy; použijte plechovku o průměru mezi 30.3 a "
                                "39.6 mm.";
        QCOMPARE(out.count(warning), 1);
        QVERIFY(out[out.indexOf(warning) - 1].startsWith(before));
    }

    // The presets a builder names on the command line, and their centres.
    void bandPresets_data() {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("centre");
        QTest::newRow("Wi-Fi 2.4 GHz") << "wifi24"
                                       << "2.412"
                                       << "2.484"
                                       << "2.448";
        QTest::newRow("Wi-Fi 5.8 GHz and 5.76 GHz amateurs") << "wifi58"
                                                             << "5.725"
                                                             << "5.875"
                                                             << "5.800";
        QTest::newRow("whole 5 GHz Wi-Fi range") << "wifi5all"
                                                 << "5.150"
                                                 << "5.850"
                                                 << "5.500";
        QTest::newRow("QO-100 uplink") << "qo100up"
                                       << "2.400"
                                       << "2.450"
                                       << "2.425";
        QTest::newRow("QO-100 downlink") << "qo100down"
                                         << "10.489"
                                         << "10.500"
                                         << "10.4945";
        QTest::newRow("10 GHz") << "10g"
                                << "10.368"
                                << "10.368"
                                << "10.368";
    }
    void bandPresets() {
        QFETCH(QString, band);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, centre);
        const Run result = run({"--band", band, "5.8", "35", "40", "300"});
        QCOMPARE(result.exitCode, 0);
        const QStringList out = result.out.split('\n');
        const int header = int(out.indexOf(QRegularExpression("^f GHz +Lo mm.*")));
        QVERIFY(header > 0);
        QCOMPARE(out[header - 1], "band = " + band);
        QCOMPARE(out[header + 1].section(' ', 0, 0), first);
        const int summary = int(out.indexOf(QRegularExpression("^probe spread = .*")));
        QCOMPARE(out[summary - 1].section(' ', 0, 0), last);
        QVERIFY(out.contains("band centre = " + centre + " GHz"));
    }

    void sweepTable() {
        const Run result = run({"--sweep", "5.15:5.85:0.05", "5.8", "40", "40", "300"});
        QCOMPARE(result.exitCode, 0);
        const QStringList out = result.out.split('\n');
        const int header = int(out.indexOf(QRegularExpression("^f GHz +Lo mm +Lg mm.*")));
        QVERIFY(header > 0);
        // Lg = 1 / √((1/Lo)² − (1/(1.706 × 40))²): 111.84 at 5.15 GHz, 77.73 at 5.85 GHz.
        QCOMPARE(out[header + 1].simplified(), "5.150 58.3 111.8 28.0 83.9");
        QCOMPARE(out[header + 15].simplified(), "5.850 51.3 77.7 19.4 58.3");
        QVERIFY(out.contains("probe spread = 8.5 mm"));
        QVERIFY(out.contains("band centre = 5.500 GHz"));
        // 300 / 5.15 / 1.706 and 300 / 5.85 / 1.306.
        QVERIFY(out.contains("single-mode D for the band = 34.1 to 39.3 mm"));
    }

    // A sweep whose figures cannot be shown fails alike as lines and as JSON; no line is left
    // half written, and nothing of the table before it is printed.
    void sweepFaultAgrees_data() {
        QTest::addColumn<QString>("sweep");
        QTest::addColumn<int>("status");
        QTest::newRow("1e-18 GHz") << "1e-18:1e-18:1" << 1;
        QTest::newRow("1e-18 GHz up to 2.4") << "1e-18:2.4:1.2" << 1;
        QTest::newRow("0.001 GHz, all cut off") << "0.001:0.002:0.001" << 0;
        QTest::newRow("the Wi-Fi band") << "2.4:2.5:0.05" << 0;
    }
    void sweepFaultAgrees() {
        QFETCH(QString, sweep);
        QFETCH(int, status);
        const QStringList entries{"2.4", "85", "40", "300"};
        const Run lines = run(QStringList{"--sweep", sweep} + entries);
        const Run json = run(QStringList{"--json", "--sweep", sweep} + entries);
        QCOMPARE(lines.exitCode, status);
        QCOMPARE(json.exitCode, status);
        QVERIFY(lines.out.endsWith("dH = 149\n") == (status != 0));
        QVERIFY(lines.out.endsWith('\n'));
        QCOMPARE(lines.err.count("error:"), status != 0 ? 1 : 0);
        const QJsonObject document = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(document["fault"].isNull(), status == 0);
        if (status != 0)
            QCOMPARE("error: " + document["fault"].toObject()["message"].toString() + "\n",
                     lines.err);
    }

    void jsonDocumentOfDefaults() {
        const QJsonObject root = json({"--band", "wifi24", "2.4", "85", "40", "300"});
        QCOMPARE(root.keys().size(), 6);
        QCOMPARE(root["entries"]["given"]["frequency"].toString(), "2.4");
        QCOMPARE(root["notices"].toArray().size(), 0);
        QCOMPARE(root["figures"]["Lg/4"].toInt(), 62);
        QVERIFY(near(root["figures"]["phi"], 123.23, 1e-9));
        QVERIFY(root["fault"].isNull());

        const QJsonObject details = root["details"].toObject();
        QCOMPARE(names(details["propagating"].toArray()), QStringList{"TE11"});
        QVERIFY(near(details["fine"]["Lg/4"], 61.6502, 1e-4));
        QVERIFY(near(details["pattern"]["R"], 438.5707, 1e-4));
        QVERIFY(near(details["horn"]["directivity"], 16.1464, 1e-4));
        QVERIFY(near(details["horn"]["optimumMouth"], 405.5416, 1e-4));
        QVERIFY(details["horn"]["note"].toString().contains("not a measurement"));
        QVERIFY(details["warning"].isNull());

        const QJsonObject sweep = root["sweep"].toObject();
        const QJsonArray rows = sweep["rows"].toArray();
        QCOMPARE(rows.size(), 14);
        QVERIFY(near(rows.first()["frequency"], 2.412, 1e-12));
        QVERIFY(near(rows.first()["Lg/4"], 60.4816, 1e-4));
        QVERIFY(near(rows.last()["frequency"], 2.484, 1e-12));
        QVERIFY(near(rows.last()["Lg/4"], 54.5512, 1e-4));
        QVERIFY(near(rows.last()["3/4 Lg"], 163.6535, 1e-4));
        QVERIFY(near(sweep["spread"], 5.9304, 1e-4));
        QVERIFY(near(sweep["singleModeWindow"]["smallest"], 72.9063, 1e-4));
        QVERIFY(near(sweep["singleModeWindow"]["largest"], 92.4755, 1e-4));
    }

    void jsonDocumentOfCorrectionsAndFaults() {
        const QJsonObject corrected = json({"2.4", "130", "70", "300"});
        const QJsonArray notices = corrected["notices"].toArray();
        QCOMPARE(notices.size(), 2);
        QCOMPARE(notices[0]["notice"].toString(), "C1");
        QVERIFY(notices[0]["text"].toString().startsWith("Nelze použít"));
        QCOMPARE(corrected["entries"]["final"]["diameter"].toString(), "125");
        QCOMPARE(names(corrected["details"]["propagating"].toArray()),
                 (QStringList{"TE11", "TM01", "TE21"}));
        QVERIFY(corrected["details"]["warning"].toString().contains("73.3 a 95.7 mm"));
        QVERIFY(corrected["sweep"].isNull());

        // The funnel faults after the can is final: the can's details stay, the horn's do not.
        const QJsonObject fault = json({"2.4", "85", "40", "100000"}, 1);
        QCOMPARE(fault["fault"]["message"].toString(), "Integer overflow.");
        QCOMPARE(fault["figures"]["Du"].toInt(), 100000);
        QVERIFY(fault["details"]["available"].toBool());
        QVERIFY(fault["details"]["horn"].isNull());

        const QJsonObject early = json({"0", "85", "40", "300"}, 1);
        QCOMPARE(early["fault"]["message"].toString(), "Floating point division by zero.");
        QVERIFY(!early["details"]["available"].toBool());
    }

    // An entry of bytes that are not UTF-8 (only a shell passes such) still makes a valid
    // document, its message with the replacement character.
    void jsonOfBytesThatAreNotText() {
        QProcess process;
        process.start("/bin/sh",
                      {"-c", "exec \"$0\" --json \"$(printf '2\\377')\" 85 40 300", VLNOKAN_CALC});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 1);
        QJsonParseError error;
        const QJsonObject root =
            QJsonDocument::fromJson(process.readAllStandardOutput(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(root["fault"]["message"].toString(),
                 QString::fromUtf8("'2\uFFFD' is not a valid floating point value."));
        QCOMPARE(root["entries"]["given"]["frequency"].toString(), QString::fromUtf8("2\uFFFD"));
    }
};

QTEST_GUILESS_MAIN(TestCliDetails)
#include "tst_clidetails.moc"
