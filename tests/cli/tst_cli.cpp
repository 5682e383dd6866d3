#include "tests/support/CalcProcess.h"

#include <QTest>

// vlnokan-calc as a user runs it: four entry texts in, notices and figures out, in order.
class TestCli final : public QObject {
    Q_OBJECT

    using Run = vlnokan::test::CalcRun;

    static Run run(const QStringList& arguments, const QString& lcAll = "C") {
        return vlnokan::test::runCalc(VLNOKAN_CALC, arguments, lcAll);
    }

private slots:
    void printsNoticesAndFiguresInOrder_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString defaults = "Lo = 125\nD = 85\nLg = 247\nLo/4 = 31\nLg/4 = 62\n3/4 Lg = 185\n"
                                 "alfa = 40\nDu = 300\nR = 438\nr = 125\nL = 942\nl = 267\n"
                                 "phi = 123.23\nC = 771\nc = 220\nhi = 59\nho = 208\ndH = 149\n";
        QTest::newRow("defaults") << QStringList{"2.4", "85", "40", "300"} << "C" << 0 << defaults
                                  << "";
        QTest::newRow("comma normalised under a point locale")
            << QStringList{"2,4", "85", "40", "300"} << "C" << 0 << defaults << "";
        QTest::newRow("Czech locale writes a comma")
            << QStringList{"2.4", "85", "40", "300"} << "cs_CZ.UTF-8" << 0
            << QString(defaults).replace("123.23", "123,23") << "";
        QTest::newRow("C2 then F3")
            << QStringList{"1.0", "85", "40", "300"} << "C" << 0
            << "Lo = 300\nnotice C2\nD = 179\nLg = 1606\nLo/4 = 75\nLg/4 = 402\n3/4 Lg = 1205\n"
               "alfa = 40\nnotice F3\nDu = 358\nR = 524\nr = 262\nL = 1124\nl = 562\n"
               "phi = 122.90\nC = 921\nc = 460\nhi = 125\nho = 250\ndH = 125\n"
            << "";
        QTest::newRow("C1 and F1")
            << QStringList{"2.4", "130", "70", "300"} << "C" << 0
            << "notice C1\nLo = 125\nD = 125\nLg = 154\nLo/4 = 31\nLg/4 = 39\n3/4 Lg = 116\n"
               "notice F1\nalfa = 60\nDu = 300\nR = 300\nr = 125\nL = 942\nl = 392\n"
               "phi = 179.91\nC = 600\nc = 250\nhi = 0\nho = 0\ndH = 0\n"
               "warning = Plechovka je pro tento kmitočet příliš široká, šíří se v ní i vyšší "
               "vidy; použijte plechovku o průměru mezi 73.3 a 95.7 mm.\n"
            << "";
        QTest::newRow("F2 under a negative frequency")
            << QStringList{"-5", "85", "10", "300"} << "C" << 0
            << "Lo = -60\nD = 85\nLg = 66\nLo/4 = -15\nLg/4 = 16\n3/4 Lg = 49\nnotice F2\n"
               "alfa = 20\nDu = 300\nR = 864\nr = 245\nL = 942\nl = 267\nphi = 62.47\n"
               "C = 896\nc = 254\nhi = 210\nho = 739\ndH = 529\n"
            << "";
        QTest::newRow("C2 that still cannot propagate")
            << QStringList{"-2.4", "-100", "40", "300"} << "C" << 1
            << "Lo = -125\nnotice C2\nD = -73\n"
            << "error: Invalid floating point operation.\n";
        QTest::newRow("fault keeps what was printed")
            << QStringList{"2.4", "85", "40", "100000"} << "C" << 1
            << "Lo = 125\nD = 85\nLg = 247\nLo/4 = 31\nLg/4 = 62\n3/4 Lg = 185\nalfa = 40\n"
               "Du = 100000\n"
            << "error: Integer overflow.\n";
        QTest::newRow("empty entry") << QStringList{"2.4", "", "40", "300"} << "C" << 1 << ""
                                     << "error: '' is not a valid integer value.\n";
        QTest::newRow("frequency zero") << QStringList{"0", "85", "40", "300"} << "C" << 1 << ""
                                        << "error: Floating point division by zero.\n";
        QTest::newRow("entry that looks like an option")
            << QStringList{"--help", "85", "40", "300"} << "C" << 1 << ""
            << "error: '--help' is not a valid floating point value.\n";
    }
    void printsNoticesAndFiguresInOrder() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, lcAll);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run result = run(arguments, lcAll);
        QCOMPARE(result.out, out);
        QCOMPARE(result.err, err);
        QCOMPARE(result.exitCode, exitCode);
    }

    // A can that carries more than TE11 (Lo / 1.306 or wider) gets a warning after the figures,
    // with the diameters that carry TE11 alone: Lo / 1.706 to Lo / 1.306.
    void warnsOfACanTooWide_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("range"); // empty: no warning
        QTest::addColumn<int>("exitCode");
        QTest::newRow("85 mm at 5.8 GHz") << QStringList{"5.8", "85", "40", "300"} << "C"
                                          << "30.3 a 39.6" << 0;
        QTest::newRow("85 mm at 5,8 GHz, Czech locale")
            << QStringList{"5,8", "85", "40", "300"} << "cs_CZ.UTF-8"
            << "30,3 a 39,6" << 0;
        QTest::newRow("96 mm at 2.4 GHz: TM01 just passes")
            << QStringList{"2.4", "96", "40", "300"} << "C"
            << "73.3 a 95.7" << 0;
        QTest::newRow("95 mm at 2.4 GHz: TE11 alone")
            << QStringList{"2.4", "95", "40", "300"} << "C"
            << "" << 0;
        QTest::newRow("130 mm cut to 125, still too wide")
            << QStringList{"2.4", "130", "40", "300"} << "C"
            << "73.3 a 95.7" << 0;
        QTest::newRow("too narrow, widened: TE11 alone")
            << QStringList{"1.0", "85", "40", "300"} << "C"
            << "" << 0;
        QTest::newRow("fault after the figures: the error alone")
            << QStringList{"5.8", "85", "40", "100000"} << "C"
            << "" << 1;
    }
    void warnsOfACanTooWide() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, lcAll);
        QFETCH(QString, range);
        QFETCH(int, exitCode);
        const Run result = run(arguments, lcAll);
        QCOMPARE(result.exitCode, exitCode);
        const QStringList lines = result.out.split('\n', Qt::SkipEmptyParts);
        const QString warning = "warning = Plechovka je pro tento kmitočet příliš široká, šíří se "
                                "v ní i vyšší vidy; použijte plechovku o průměru mezi " +
                                range + " mm.";
        if (range.isEmpty()) {
            QVERIFY(!result.out.contains("warning"));
            return;
        }
        QCOMPARE(lines.count(warning), 1);
        QCOMPARE(lines.back(), warning);
        QVERIFY(lines[lines.size() - 2].startsWith("dH = "));
    }

    void usage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("onStandardOutput");
        QTest::newRow("help") << QStringList{"--help"} << 0 << true;
        QTest::newRow("no entries") << QStringList{} << 2 << false;
        QTest::newRow("three entries") << QStringList{"2.4", "85", "40"} << 2 << false;
        QTest::newRow("five entries") << QStringList{"2.4", "85", "40", "300", "1"} << 2 << false;
        QTest::newRow("unknown option")
            << QStringList{"--drew", "d", "2.4", "85", "40", "300"} << 2 << false;
        QTest::newRow("draw into an empty folder name")
            << QStringList{"--draw", "", "2.4", "85", "40", "300"} << 2 << false;
        QTest::newRow("draw without a folder")
            << QStringList{"--draw", "2.4", "85", "40", "300"} << 2 << false;
        QTest::newRow("draw given twice")
            << QStringList{"--draw", "a", "--draw", "b", "2.4", "85", "40", "300"} << 2 << false;
    }
    void usage() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(bool, onStandardOutput);
        const Run result = run(arguments);
        QCOMPARE(result.exitCode, exitCode);
        const QString text = onStandardOutput ? result.out : result.err;
        QVERIFY(text.startsWith("usage: vlnokan-calc"));
        QCOMPARE(text.count('\n'), 1);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
