#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    process.setProcessEnvironment(environment);
    process.start(VLNOKAN_CALC, arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

const QStringList defaults{"2.4", "85", "40", "300"};

} // namespace

// vlnokan-calc --template FILE: the plain calculation's output, then the template in FILE.
class TestCliTemplate final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void writesTheTemplate_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("PDF with defaults") << "t.pdf" << QStringList{} << QByteArray("%PDF");
        QTest::newRow("PDF on Letter, no seam, 3 pieces")
            << "t2.PDF" << QStringList{"--paper", "letter", "--seam", "0", "--pieces", "3"}
            << QByteArray("%PDF");
        QTest::newRow("SVG with a thick sheet")
            << "t.svg" << QStringList{"--thickness", "1.5", "--margin", "0"} << QByteArray("<svg");
        QTest::newRow("DXF") << "t.dxf" << QStringList{"--overlap", "0"}
                             << QByteArray("SECTION\n  2\nHEADER");
    }
    void writesTheTemplate() {
        QFETCH(QString, name);
        QFETCH(QStringList, options);
        QFETCH(QByteArray, start);
        const QString path = m_dir.filePath(name);
        // A row may bring its own entries after "--" (which is not passed on).
        const qsizetype own = options.indexOf("--");
        const QStringList entries = own < 0 ? defaults : options.mid(own + 1);
        const Run plain = run(entries);
        const Run templated = run(QStringList{"--template", path} +
                                  options.mid(0, own < 0 ? options.size() : own) + entries);
        QCOMPARE(templated.err, QByteArray());
        QCOMPARE(templated.exitCode, 0);
        QCOMPARE(templated.out, plain.out);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(200).contains(start));
    }

    // The usage line always; and where one option is wrong, which one and its range.
    void usageErrors_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("empty file name") << QStringList{"--template", ""} << QByteArray("");
        QTest::newRow("unknown extension")
            << QStringList{"--template", "t.png"} << QByteArray(".pdf, .svg or .dxf");
        QTest::newRow("unknown paper") << QStringList{"--template", "u.pdf", "--paper", "A5"}
                                       << QByteArray("--paper must be A4, A3, Letter or Legal");
        QTest::newRow("negative overlap")
            << QStringList{"--template", "u.pdf", "--overlap", "-1"}
            << QByteArray("--overlap must be a number of millimetres from 0 to 100");
        QTest::newRow("overlap over its range")
            << QStringList{"--template", "u.pdf", "--overlap", "100.5"}
            << QByteArray("--overlap must be a number of millimetres from 0 to 100");
        QTest::newRow("malformed margin")
            << QStringList{"--template", "u.pdf", "--margin", "5mm"}
            << QByteArray("--margin must be a number of millimetres from 0 to 50");
        QTest::newRow("seam over its range")
            << QStringList{"--template", "u.pdf", "--seam", "130"}
            << QByteArray("--seam must be a number of millimetres from 0 to 100");
        QTest::newRow("decimal comma")
            << QStringList{"--template", "u.pdf", "--seam", "2,5"}
            << QByteArray("--seam must be a number of millimetres from 0 to 100");
        QTest::newRow("no pieces") << QStringList{"--template", "u.pdf", "--pieces", "0"}
                                   << QByteArray("--pieces must be a whole number from 1 to 12");
        QTest::newRow("thirteen pieces")
            << QStringList{"--template", "u.pdf", "--pieces", "13"}
            << QByteArray("--pieces must be a whole number from 1 to 12");
        QTest::newRow("fractional pieces")
            << QStringList{"--template", "u.pdf", "--pieces", "1.5"}
            << QByteArray("--pieces must be a whole number from 1 to 12");
        QTest::newRow("thickness not a number")
            << QStringList{"--template", "u.pdf", "--thickness", "nan"}
            << QByteArray("--thickness must be a number of millimetres from 0 to 10");
        QTest::newRow("strip wider than the inner radius")
            << QStringList{"--template", "u.pdf", "--seam", "90", "--", "2.4", "85", "60", "300"}
            << QByteArray("error: ");
        QTest::newRow("PDF of a funnel too large for paper")
            << QStringList{"--template", "u.pdf", "--", "2.4", "85", "60", "40000"}
            << QByteArray("error: ");
        QTest::newRow("overlap fills the paper")
            << QStringList{"--template", "u.pdf", "--overlap", "95", "--margin", "50"}
            << QByteArray("error: ");
        QTest::newRow("paper without template") << QStringList{"--paper", "A3"} << QByteArray("");
        QTest::newRow("pieces without template") << QStringList{"--pieces", "2"} << QByteArray("");
    }
    void usageErrors() {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, reason);
        const QDir here = QDir::current();
        QDir::setCurrent(m_dir.path());
        // A row may bring its own entries after "--" (which is not passed on).
        const qsizetype own = options.indexOf("--");
        const Run result =
            run(own < 0 ? options + defaults : options.mid(0, own) + options.mid(own + 1));
        QDir::setCurrent(here.path());
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.contains("usage: vlnokan-calc"));
        QVERIFY2(result.err.contains(reason), result.err.constData());
        QVERIFY(!QFile::exists(m_dir.filePath("u.pdf")));
    }

    void unwritableFile() {
        const QString path = m_dir.filePath("missing/folder/t.pdf");
        const Run result = run(QStringList{"--template", path} + defaults);
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.err.startsWith("error: cannot write " + QFile::encodeName(path)));
        QVERIFY(!QFile::exists(path));
        QVERIFY(!QDir(m_dir.filePath("missing")).exists());
    }

    // A fault in the calculation ends the run as it does without --template; nothing is written.
    void calculationFault() {
        const QString path = m_dir.filePath("fault.pdf");
        const QStringList entries{"2.4", "85", "40", "100000"};
        const Run plain = run(entries);
        const Run templated = run(QStringList{"--template", path} + entries);
        QCOMPARE(templated.exitCode, plain.exitCode);
        QCOMPARE(templated.out, plain.out);
        QCOMPARE(templated.err, plain.err);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_APPLESS_MAIN(TestCliTemplate)
#include "tst_clitemplate.moc"
