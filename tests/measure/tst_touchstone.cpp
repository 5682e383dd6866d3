#include "measure/MeasureFaults.h"
#include "measure/Touchstone.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vlnokan::measure;

namespace {

constexpr double tolerance = 1e-9;

Sweep read(const QString& text, const QString& fileName) {
    std::istringstream in(text.toStdString());
    return readTouchstone(in, fileName.toStdString());
}

const QString v2Head = QStringLiteral("[Version] 2.0\n");

} // namespace

// Network analysers' sweeps as the format writes them, each value worked out by hand: S11 at
// 50 ohms (re, im) and the impedance (R, X) of the sample at index.
class TestTouchstone final : public QObject {
    Q_OBJECT

private slots:
    void readsValues_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("hz");
        QTest::addColumn<double>("re");
        QTest::addColumn<double>("im");
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("x");
        // 0.2 - j0.1 is 50 (1.2 - j0.1) / (0.8 + j0.1) = (950 - j200) / 13 ohms.
        const double r1 = 950.0 / 13, x1 = -200.0 / 13;
        QTest::newRow("NanoVNA: Hz S RI R 50")
            << "! NanoVNA\n# HZ S RI R 50\n2400000000 0.2 -0.1\n2410000000 0 0\n"
            << "ant.s1p" << 0 << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        QTest::newRow("second row") << "# HZ S RI R 50\n2400000000 0.2 -0.1\n2410000000 0 0\n"
                                    << "ant.s1p" << 1 << 2.41e9 << 0.0 << 0.0 << 50.0 << 0.0;
        QTest::newRow("MA, unit left out: GHz")
            << "# S MA R 50\n2.4 0.5 90\n"
            << "ant.s1p" << 0 << 2.4e9 << 0.0 << 0.5 << 30.0 << 40.0;
        QTest::newRow("bare option line: GHz S MA R 50")
            << "#\n2.4 0.5 90\n"
            << "ant.s1p" << 0 << 2.4e9 << 0.0 << 0.5 << 30.0 << 40.0;
        QTest::newRow("DB in MHz: -20 dB at 180 degrees")
            << "# MHz S DB R 50\n2400 -20 180\n"
            << "ant.s1p" << 0 << 2.4e9 << -0.1 << 0.0 << 450.0 / 11 << 0.0;
        QTest::newRow("kHz, lower case") << "# khz s ri r 50\n2400000 0 0.5\n"
                                         << "ant.s1p" << 0 << 2.4e9 << 0.0 << 0.5 << 30.0 << 40.0;
        QTest::newRow("options in another order")
            << "# RI R 50 HZ S\n2.4e9 0.2 -0.1\n"
            << "ant.s1p" << 0 << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        QTest::newRow("reference first, mixed case")
            << "# r 50 Ri gHz\n2.4 0.2 -0.1\n"
            << "ant.s1p" << 0 << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        QTest::newRow("75 ohms, matched to them")
            << "# GHz S RI R 75\n2.4 0 0\n"
            << "ant.s1p" << 0 << 2.4e9 << 0.2 << 0.0 << 75.0 << 0.0;
        QTest::newRow("75 ohms, reflection 0.2: 112.5 ohms")
            << "# GHz S RI R 75\n2.4 0.2 0\n"
            << "ant.s1p" << 0 << 2.4e9 << 5.0 / 13 << 0.0 << 112.5 << 0.0;
        QTest::newRow("Z normalised in version 1")
            << "# GHz Z RI R 50\n2.4 1 0.5\n"
            << "ant.s1p" << 0 << 2.4e9 << 1.0 / 17 << 4.0 / 17 << 50.0 << 25.0;
        QTest::newRow("Z normalised to 75 ohms")
            << "# GHz Z RI R 75\n2.4 1 0\n"
            << "ant.s1p" << 0 << 2.4e9 << 0.2 << 0.0 << 75.0 << 0.0;
        QTest::newRow("Y normalised: y 0.5 is 100 ohms")
            << "# GHz Y RI R 50\n2.4 0.5 0\n"
            << "ant.s1p" << 0 << 2.4e9 << 1.0 / 3 << 0.0 << 100.0 << 0.0;
        QTest::newRow("Z in MA") << "# GHz Z MA R 50\n2.4 1 0\n"
                                 << "ant.s1p" << 0 << 2.4e9 << 0.0 << 0.0 << 50.0 << 0.0;
        QTest::newRow("two-port: S11 first")
            << "# GHz S RI R 50\n2.4 0.2 -0.1 0.9 0.1 0.9 0.1 0.3 0.2\n"
            << "amp.s2p" << 0 << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        QTest::newRow("nine numbers without extension: two-port")
            << "# GHz S RI R 50\n2.4 0.2 -0.1 0.9 0.1 0.9 0.1 0.3 0.2\n"
            << "sweep.txt" << 0 << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        // Port 2 ended in 50 ohms: z11 - z12 z21 / (z22 + 1) = 0.875, 43.75 ohms.
        QTest::newRow("two-port Z: port 2 loaded")
            << "# GHz Z RI R 50\n2.4 1 0 0.5 0 0.5 0 1 0\n"
            << "a.s2p" << 0 << 2.4e9 << -1.0 / 15 << 0.0 << 43.75 << 0.0;
        QTest::newRow("two-port Y: port 2 loaded")
            << "# GHz Y RI R 50\n2.4 1 0 0.5 0 0.5 0 1 0\n"
            << "a.s2p" << 0 << 2.4e9 << 1.0 / 15 << 0.0 << 50 / 0.875 << 0.0;
        QTest::newRow("noise data after a two-port is not network data")
            << "# GHz S RI R 50\n2.4 0.2 -0.1 0 0 0 0 0 0\n2.5 0 0 0 0 0 0 0 0\n"
               "1.0 1.5 0.5 10 0.3\n2.0 1.6 0.5 10 0.3\n"
            << "a.s2p" << 1 << 2.5e9 << 0.0 << 0.0 << 50.0 << 0.0;
        QTest::newRow("only the first option line counts")
            << "# Hz S RI R 50\n# GHz S MA R 75\n2400000000 0.2 -0.1\n"
            << "ant.s1p" << 0 << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        QTest::newRow("comments at line ends, CR LF, blank lines")
            << "! by hand\r\n# Hz S RI R 50 ! NanoVNA\r\n\r\n2400000000 0.2 -0.1 ! first\r\n"
            << "ant.s1p" << 0 << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        QTest::newRow("byte order mark")
            << QString::fromUtf8("\uFEFF# Hz S RI R 50\n2400000000 0.2 -0.1\n") << "ant.s1p" << 0
            << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        QTest::newRow("signs, exponents, tabs")
            << "#\tGHz\tS\tRI\tR\t50\n+2.4E+00\t+.2\t-1e-1\n"
            << "ant.s1p" << 0 << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        QTest::newRow("a reference per port: the first counts")
            << "# GHz S RI R 75 50\n2.4 0 0\n"
            << "ant.s1p" << 0 << 2.4e9 << 0.2 << 0.0 << 75.0 << 0.0;

        QTest::newRow("version 2 one-port")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 1\n[Number of Frequencies] 2\n"
                        "[Network Data]\n2.4 0.2 -0.1\n2.5 0 0\n[End]\n"
            << "ant.ts" << 0 << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        QTest::newRow("version 2 Z in ohms, not normalised")
            << v2Head + "# GHz Z RI R 50\n[Number of Ports] 1\n[Number of Frequencies] 1\n"
                        "[Network Data]\n2.4 100 0\n[End]\n"
            << "ant.ts" << 0 << 2.4e9 << 1.0 / 3 << 0.0 << 100.0 << 0.0;
        QTest::newRow("version 2 Y in siemens")
            << v2Head + "# GHz Y RI R 50\n[Number of Ports] 1\n[Number of Frequencies] 1\n"
                        "[Network Data]\n2.4 0.01 0\n[End]\n"
            << "ant.ts" << 0 << 2.4e9 << 1.0 / 3 << 0.0 << 100.0 << 0.0;
        QTest::newRow("version 2 [Reference] over R")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 1\n[Reference] 75\n"
                        "[Number of Frequencies] 1\n[Network Data]\n2.4 0 0\n[End]\n"
            << "ant.ts" << 0 << 2.4e9 << 0.2 << 0.0 << 75.0 << 0.0;
        QTest::newRow("version 2 [Reference] on the next line")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 1\n[Reference]\n75\n"
                        "[Number of Frequencies] 1\n[Network Data]\n2.4 0 0\n[End]\n"
            << "ant.ts" << 0 << 2.4e9 << 0.2 << 0.0 << 75.0 << 0.0;
        QTest::newRow("version 2 two-port 12_21")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n"
                        "[Number of Frequencies] 1\n[Network Data]\n"
                        "2.4 0.2 -0.1 0.9 0 0.9 0 0.3 0\n[End]\n"
            << "amp.s2p" << 0 << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        QTest::newRow("version 2 two-port Z in ohms, 21_12")
            << v2Head + "# GHz Z RI R 50\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n"
                        "[Number of Frequencies] 1\n[Network Data]\n"
                        "2.4 50 0 25 0 25 0 50 0\n[End]\n"
            << "amp.s2p" << 0 << 2.4e9 << -1.0 / 15 << 0.0 << 43.75 << 0.0;
        QTest::newRow("version 2 lower triangle")
            << v2Head + "# GHz Z RI R 50\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n"
                        "[Number of Frequencies] 1\n[Matrix Format] Lower\n[Network Data]\n"
                        "2.4 50 0 25 0 50 0\n[End]\n"
            << "amp.s2p" << 0 << 2.4e9 << -1.0 / 15 << 0.0 << 43.75 << 0.0;
        QTest::newRow("version 2 row over two lines")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n"
                        "[Number of Frequencies] 1\n[Network Data]\n"
                        "2.4 0.2 -0.1 0.9 0 0.9 0\n   0.3 0\n[End]\n"
            << "amp.s2p" << 0 << 2.4e9 << 0.2 << -0.1 << r1 << x1;
        QTest::newRow("version 2.1, lower case, information and noise")
            << "[version] 2.1\n# mhz s db r 50\n[number of ports] 2\n[two-port data order] 21_12\n"
               "[number of frequencies] 1\n[number of noise frequencies] 1\n"
               "[begin information]\n[anything] here\n[end information]\n[network data]\n"
               "2400 -20 180 0 0 0 0 0 0\n[noise data]\n1000 1.5 0.5 10 0.3\n[end]\n"
            << "amp.s2p" << 0 << 2.4e9 << -0.1 << 0.0 << 450.0 / 11 << 0.0;
    }
    void readsValues() {
        QFETCH(QString, text);
        QFETCH(QString, fileName);
        QFETCH(int, index);
        QFETCH(double, hz);
        QFETCH(double, re);
        QFETCH(double, im);
        QFETCH(double, r);
        QFETCH(double, x);
        const Sweep sweep = read(text, fileName);
        QVERIFY(index < int(sweep.samples.size()));
        const SweepSample& sample = sweep.samples[std::size_t(index)];
        QCOMPARE(sample.hz, hz);
        QVERIFY2(std::abs(sample.reflection.real() - re) < tolerance &&
                     std::abs(sample.reflection.imag() - im) < tolerance,
                 qPrintable(QStringLiteral("S11 %1 %2")
                                .arg(sample.reflection.real(), 0, 'g', 15)
                                .arg(sample.reflection.imag(), 0, 'g', 15)));
        QVERIFY2(std::abs(sample.impedance.real() - r) < tolerance &&
                     std::abs(sample.impedance.imag() - x) < tolerance,
                 qPrintable(QStringLiteral("Z %1 %2")
                                .arg(sample.impedance.real(), 0, 'g', 15)
                                .arg(sample.impedance.imag(), 0, 'g', 15)));
        QVERIFY(std::abs(sample.s11Db - 20 * std::log10(std::hypot(re, im))) < 1e-9 ||
                (re == 0 && im == 0 && sample.s11Db == -120));
    }

    // Each kind of bad file is refused, and the message names the line and what is wrong there.
    void refusesBadFiles_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QStringList>("words");
        const QString ok = QStringLiteral("# Hz S RI R 50\n");
        QTest::newRow("empty") << ""
                               << "a.s1p" << QStringList{"a.s1p", "prázdný"};
        QTest::newRow("only comments") << "! nothing\n\n"
                                       << "a.s1p" << QStringList{"prázdný"};
        QTest::newRow("binary") << QString("PK\x03\x04rest") << "a.s1p"
                                << QStringList{"řádek 1", "binární"};
        QTest::newRow("data before the option line")
            << "! x\n2.4 0.1 0\n# GHz S RI R 50\n"
            << "a.s1p" << QStringList{"řádek 2", "před řádkem voleb"};
        QTest::newRow("option line without data")
            << ok << "a.s1p" << QStringList{"žádná naměřená data"};
        QTest::newRow("a row with too few numbers")
            << ok + "1e9 0.1 0\n! gap\n2e9 0.1\n"
            << "a.s1p" << QStringList{"řádek 4", "2 čísel", "3"};
        QTest::newRow("a two-port row with too few numbers")
            << ok + "1e9 0.1 0 0 0 0 0 0 0\n2e9 0.1 0 0 0\n"
            << "a.s2p" << QStringList{"řádek 3", "5 čísel", "9"};
        QTest::newRow("a word that is no number")
            << ok + "1e9 0.1 O.2\n"
            << "a.s1p" << QStringList{"řádek 2", "\"O.2\" není číslo"};
        QTest::newRow("frequencies falling") << ok + "2e9 0 0\n1e9 0 0\n"
                                             << "a.s1p" << QStringList{"řádek 3", "stoupat"};
        QTest::newRow("a frequency twice") << ok + "2e9 0 0\n2e9 0 0\n"
                                           << "a.s1p" << QStringList{"řádek 3", "stoupat"};
        QTest::newRow("zero frequency") << ok + "0 0 0\n"
                                        << "a.s1p" << QStringList{"řádek 2", "kladný"};
        QTest::newRow("three ports by name") << ok + "1e9 0 0\n"
                                             << "a.s3p" << QStringList{"a.s3p", "3 bran"};
        QTest::newRow("two-port data in a one-port file")
            << ok + "1e9 0 0 0 0 0 0 0 0\n"
            << "a.s1p" << QStringList{"řádek 2", "9 čísel"};
        QTest::newRow("unknown option") << "# Hz S XY R 50\n1e9 0 0\n"
                                        << "a.s1p" << QStringList{"řádek 1", "\"XY\" není volba"};
        QTest::newRow("R without resistance") << "# Hz S RI R\n1e9 0 0\n"
                                              << "a.s1p" << QStringList{"řádek 1", "za R"};
        QTest::newRow("negative reference") << "# Hz S RI R -50\n1e9 0 0\n"
                                            << "a.s1p" << QStringList{"řádek 1", "za R"};
        QTest::newRow("H parameters") << "# GHz H RI R 50\n2.4 0 0 0 0 0 0 0 0\n"
                                      << "a.s2p" << QStringList{"řádek 2", "H a G"};
        QTest::newRow("negative magnitude") << "# GHz S MA R 50\n2.4 -0.5 0\n"
                                            << "a.s1p" << QStringList{"řádek 2", "záporná"};
        QTest::newRow("a keyword without [Version]")
            << "# GHz S RI R 50\n[Network Data]\n"
            << "a.s1p" << QStringList{"řádek 2", "[Network", "[Version] 2.0"};
        QTest::newRow("unknown version") << "[Version] 3.0\n"
                                         << "a.ts" << QStringList{"řádek 1", "verze"};
        QTest::newRow("version 2 without option line") << v2Head + "[Number of Ports] 1\n"
                                                       << "a.ts" << QStringList{"řádek 2", "voleb"};
        QTest::newRow("version 2 of four ports")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 4\n"
            << "a.ts" << QStringList{"řádek 3", "4 bran"};
        QTest::newRow("version 2 without [End]")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 1\n[Number of Frequencies] 1\n"
                        "[Network Data]\n2.4 0 0\n"
            << "a.ts" << QStringList{"[End]", "není celý"};
        QTest::newRow("version 2 with fewer rows than promised")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 1\n[Number of Frequencies] 3\n"
                        "[Network Data]\n2.4 0 0\n2.5 0 0\n[End]\n"
            << "a.ts" << QStringList{"řádek 8", "slibuje 3", "2"};
        QTest::newRow("version 2 row cut short before [End]")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 1\n[Number of Frequencies] 2\n"
                        "[Network Data]\n2.4 0 0\n2.5 0\n[End]\n"
            << "a.ts" << QStringList{"řádek 7", "2 čísel"};
        QTest::newRow("version 2 two-port without data order")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 2\n[Number of Frequencies] 1\n"
                        "[Network Data]\n"
            << "a.ts" << QStringList{"řádek 5", "[Two-Port Data Order]"};
        QTest::newRow("version 2 without [Number of Frequencies]")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 1\n[Network Data]\n"
            << "a.ts" << QStringList{"řádek 4", "[Number of Frequencies]"};
        QTest::newRow("version 2 unknown keyword")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 1\n[Colour] red\n"
            << "a.ts" << QStringList{"řádek 4", "[Colour]"};
        QTest::newRow("version 2 mixed mode")
            << v2Head + "# GHz S RI R 50\n[Number of Ports] 2\n[Mixed-Mode Order] D2,1 C2,1\n"
            << "a.ts" << QStringList{"řádek 4", "smíšené"};
    }
    void refusesBadFiles() {
        QFETCH(QString, text);
        QFETCH(QString, fileName);
        QFETCH(QStringList, words);
        try {
            std::string bytes = text.toStdString();
            if (QTest::currentDataTag() == QByteArray("binary"))
                bytes = std::string("PK\x03\x04\0\0rest", 10);
            std::istringstream in(bytes);
            readTouchstone(in, fileName.toStdString());
            QFAIL("read without error");
        } catch (const EMeasurement& fault) {
            const QString message = QString::fromStdString(fault.message());
            for (const QString& word : words)
                QVERIFY2(message.contains(word), qPrintable(message));
        }
    }

    // Reading leaves the builder's file as it was and writes nothing beside it.
    void readingWritesNothing() {
        QTemporaryDir folder;
        const std::filesystem::path path = folder.filePath("antenna.s1p").toStdString();
        const std::string text = "# Hz S RI R 50\n2400000000 0.2 -0.1\n2410000000 0 0\n";
        std::ofstream(path, std::ios::binary) << text;
        std::filesystem::permissions(path, std::filesystem::perms::owner_read);
        const auto written = std::filesystem::last_write_time(path);
        const Sweep sweep = readTouchstoneFile(path);
        QCOMPARE(sweep.samples.size(), std::size_t(2));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(folder.path().toStdString()),
                               std::filesystem::directory_iterator()),
                 1);
        QVERIFY(std::filesystem::last_write_time(path) == written);
        std::ifstream in(path, std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}), text);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }

    void missingFileIsAnError() {
        QTemporaryDir folder;
        for (const QString& name : {QStringLiteral("none.s1p"), QString()}) {
            try {
                readTouchstoneFile(folder.filePath(name).toStdString());
                QFAIL("read without error");
            } catch (const EMeasurement& fault) {
                QVERIFY(!fault.message().empty());
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestTouchstone)
#include "tst_touchstone.moc"
