#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the calculator, or through `sh -c script` with the calculator as $0 and arguments as $@.
Run run(const QStringList& arguments, const QString& script = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    process.setProcessEnvironment(environment);
    if (script.isEmpty())
        process.start(VLNOKAN_CALC, arguments);
    else
        process.start("/bin/sh", QStringList{"-c", script, VLNOKAN_CALC} + arguments);
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

    // The 400-sheet limit counts the sheets printed, not the grid around the pattern: a narrow
    // funnel's sector leaves much of its grid empty (at 1850 mm the grid around it holds more
    // than 470 A4 sheets in either orientation).
    void sheetLimitCountsPrintedSheets_data() {
        QTest::addColumn<QString>("mouth");
        QTest::addColumn<int>("status");
        QTest::newRow("grid over 400, fewer printed") << "1850" << 0;
        QTest::newRow("grid far over 400, only the outline's sheets printed") << "2300" << 0;
        QTest::newRow("far beyond") << "4000" << 2;
    }
    void sheetLimitCountsPrintedSheets() {
        QFETCH(QString, mouth);
        QFETCH(int, status);
        const QString path = m_dir.filePath("sheets" + mouth + ".pdf");
        const Run result = run({"--template", path, "2.4", "85", "20", mouth});
        QCOMPARE(result.exitCode, status);
        QCOMPARE(QFile::exists(path), status == 0);
        if (status != 0) {
            QVERIFY(result.err.startsWith("error: Výkroj by zabral přes 400 listů"));
            return;
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString pdf = QString::fromLatin1(file.readAll());
        const auto pages = pdf.count(QRegularExpression("/Type /Page(?!s)"));
        QVERIFY2(pages > 80 && pages <= 401, qPrintable(QString::number(pages)));
    }

    // A disk that refuses the file leaves an older one as it was, in every format: a size limit
    // as a shell sets it, or a full disk (a small tmpfs, where one can be mounted).
    void refusedFileKeepsOlder_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fullDisk");
        for (const char* name : {"t.pdf", "t.svg", "t.dxf"}) {
            QTest::addRow("%s, size limit", name) << QString(name) << false;
            QTest::addRow("%s, full disk", name) << QString(name) << true;
        }
    }
    void refusedFileKeepsOlder() {
        QFETCH(QString, name);
        QFETCH(bool, fullDisk);
        const QString folder = m_dir.filePath(QStringLiteral("refused ") + QTest::currentDataTag());
        QVERIFY(QDir().mkpath(folder));
        const QByteArray folderName = QFile::encodeName(folder);
        if (fullDisk && mount("tmpfs", folderName.constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("no tmpfs can be mounted here");
        const QString path = folder + "/" + name;
        const QByteArray older("an older template");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(older);
        file.close();
        if (fullDisk) {
            QFile filler(folder + "/filler");
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (filler.write(QByteArray(4096, 'f')) > 0) {
            }
        }
        const Run result =
            run(QStringList{"--template", path} + defaults,
                fullDisk ? "exec \"$0\" \"$@\"" : "trap '' XFSZ; ulimit -f 1; exec \"$0\" \"$@\"");
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        if (fullDisk)
            umount2(folderName.constData(), MNT_DETACH);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(
            result.err.startsWith("error: cannot write " + folderName + "/" + name.toUtf8() + ": "),
            result.err.constData());
        QCOMPARE(result.err.count("error:"), 1);
        QVERIFY(result.out.endsWith("dH = 149\n"));
        QCOMPARE(left, fullDisk ? QStringList({"filler", name}) : QStringList({name}));
        if (!fullDisk) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), older);
        }
    }

    // A file name that is not UTF-8 names the file byte for byte.
    void fileNameBytesAsGiven_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("Latin-1 e acute") << QByteArray("\xe9.svg");
        QTest::newRow("stray bytes") << QByteArray("\xff\xfe.dxf");
        QTest::newRow("UTF-8 as well") << QByteArray("\xc3\xa9.pdf");
    }
    void fileNameBytesAsGiven() {
        QFETCH(QByteArray, name);
        QString octal;
        for (const char byte : name)
            octal += QStringLiteral("\\%1").arg(int(static_cast<unsigned char>(byte)), 3, 8,
                                                QLatin1Char('0'));
        const Run result = run(defaults, "exec \"$0\" --template \"$(printf '%s/" + octal + "' '" +
                                             m_dir.path() + "')\" \"$@\"");
        const QByteArray path = QFile::encodeName(m_dir.path()) + "/" + name;
        struct stat info {};
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(stat(path.constData(), &info) == 0, path.constData());
        QVERIFY(info.st_size > 100);
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
