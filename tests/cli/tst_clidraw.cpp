#include "calc/CalculateCommand.h"
#include "core/Faults.h"
#include "diagrams/Drawings.h"
#include "diagrams/Diagram.h"
#include "tests/support/DrawingView.h"

#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/resource.h>

using namespace vlnokan;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QStringList& arguments, qint64 fileSizeLimit = -1) {
    QProcess process;
    if (fileSizeLimit >= 0) {
        // A disk that takes only so many bytes per file: writes beyond fail with EFBIG.
        process.setChildProcessModifier([fileSizeLimit] {
            const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, SIG_IGN);
        });
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    process.setProcessEnvironment(environment);
    if (arguments.value(0) == "-c")
        process.start("/bin/sh", arguments);
    else
        process.start(VLNOKAN_CALC, arguments);
    process.waitForFinished(20000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

// vlnokan-calc --draw DIR: the plain calculation's output, and both drawings saved as they stand
// after it, also after a fault.
class TestCliDraw final : public QObject {
    Q_OBJECT

private slots:
    void savesTheDrawings_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("defaults") << QStringList{"2.4", "85", "40", "300"} << 0;
        QTest::newRow("notices and a wide mouth") << QStringList{"2.4", "130", "70", "2000"} << 0;
        QTest::newRow("can too wide: the warning too")
            << QStringList{"5.8", "85", "40", "300"} << 0;
        QTest::newRow("fault after the can's figures")
            << QStringList{"2.4", "85", "40", "100000"} << 1;
        QTest::newRow("fault at the diameter") << QStringList{"2.4", "", "40", "300"} << 1;
    }
    void savesTheDrawings() {
        QFETCH(QStringList, entries);
        QFETCH(int, exitCode);
        QTemporaryDir temporary;
        const QString directory = temporary.filePath("drawings/new");
        const Run plain = run(entries);
        const Run drawn = run(QStringList{"--draw", directory} + entries);
        QCOMPARE(drawn.out, plain.out);
        QCOMPARE(drawn.err, plain.err);
        QCOMPARE(drawn.exitCode, exitCode);
        QCOMPARE(plain.exitCode, exitCode);

        Diagram can = makeCanDiagram();
        Diagram funnel = makeFunnelDiagram();
        LabelSlots labelSlots(can, funnel);
        test::DrawingView view({entries[0].toStdString(), entries[1].toStdString(),
                                entries[2].toStdString(), entries[3].toStdString()},
                               labelSlots);
        try {
            CalculateCommand(view, ".").run();
        } catch (const Exception&) {
            QCOMPARE(exitCode, 1);
        }
        const QImage savedCan(directory + "/can.png");
        const QImage savedFunnel(directory + "/funnel.png");
        QCOMPARE(savedCan.size(), QSize(454, 222));
        QCOMPARE(savedFunnel.size(), QSize(299, 257));
        QCOMPARE(savedCan.convertToFormat(QImage::Format_RGB32), toImage(can));
        QCOMPARE(savedFunnel.convertToFormat(QImage::Format_RGB32), toImage(funnel));
    }

    // A full disk: the drawing that does not fit is reported and the older file of that name is
    // left as it was, with no empty or partial file and no temporary left behind.
    void fullDisk_data() {
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<bool>("canReplaced");
        QTest::newRow("nothing fits") << qint64(100) << "can.png" << false;
        QTest::newRow("the can fits, the funnel does not") << qint64(2000) << "funnel.png" << true;
    }
    void fullDisk() {
        QFETCH(qint64, limit);
        QFETCH(QString, failing);
        QFETCH(bool, canReplaced);
        // The premise: the can's PNG is under 2000 bytes, the funnel's over.
        QTemporaryDir reference;
        QCOMPARE(run({"--draw", reference.path(), "2.4", "85", "40", "300"}).exitCode, 0);
        QVERIFY(QFileInfo(reference.filePath("can.png")).size() < 2000);
        QVERIFY(QFileInfo(reference.filePath("funnel.png")).size() > 2000);

        QTemporaryDir temporary;
        for (const char* name : {"can.png", "funnel.png"}) {
            QFile old(temporary.filePath(name));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old drawing");
        }
        const QStringList entries{"2.4", "85", "40", "300"};
        const Run drawn = run(QStringList{"--draw", temporary.path()} + entries, limit);
        QCOMPARE(drawn.exitCode, 1);
        QCOMPARE(drawn.out, run(entries).out);
        QCOMPARE(QString::fromLocal8Bit(drawn.err),
                 "error: cannot write " + temporary.path() + '/' + failing + ": File too large.\n");
        QCOMPARE(QDir(temporary.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"can.png", "funnel.png"}));
        QFile failed(temporary.filePath(failing));
        QVERIFY(failed.open(QIODevice::ReadOnly));
        QCOMPARE(failed.readAll(), QByteArray("old drawing"));
        QCOMPARE(QImage(temporary.filePath("can.png")).size(),
                 canReplaced ? QSize(454, 222) : QSize(0, 0));
    }

    // A folder named in bytes that are not UTF-8 is used as given, not renamed.
    void folderNameNotUtf8() {
        QTemporaryDir temporary;
        const Run drawn =
            run({"-c", R"(exec "$0" --draw "$1/$(printf 'v\377\376')/new" 2.4 85 40 300)",
                 VLNOKAN_CALC, temporary.path()});
        QCOMPARE(drawn.err, QByteArray());
        QCOMPARE(drawn.exitCode, 0);
        namespace fs = std::filesystem;
        const fs::path base(QFile::encodeName(temporary.path()).toStdString());
        const fs::path folder = base / "v\xff\xfe" / "new";
        // QTemporaryDir cannot name what lies below: it goes by its bytes.
        struct RemoveAll {
            fs::path path;
            ~RemoveAll() { fs::remove_all(path); }
        } removeAll{base / "v\xff\xfe"};
        for (const auto& [name, size] :
             {std::pair{"can.png", QSize(454, 222)}, std::pair{"funnel.png", QSize(299, 257)}}) {
            std::ifstream file(folder / name, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(file), {}};
            QCOMPARE(QImage::fromData(QByteArray::fromStdString(bytes)).size(), size);
        }
        QCOMPARE(std::distance(fs::directory_iterator(base), fs::directory_iterator()), 1);
        QCOMPARE(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
    }

    void unwritableFolder() {
        QTemporaryDir temporary;
        QFile blocker(temporary.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const Run drawn = run({"--draw", blocker.fileName() + "/sub", "2.4", "85", "40", "300"});
        QCOMPARE(drawn.exitCode, 1);
        QVERIFY(drawn.err.startsWith("error: cannot "));
    }

    // After a failed calculation only its own fault is reported, not the folder's too.
    void onlyTheFirstFault_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("error");
        QTest::newRow("entry not a number")
            << QStringList{"x", "85", "40", "300"} << QByteArray("error: ");
        QTest::newRow("calculation fine")
            << QStringList{"2.4", "85", "40", "300"} << QByteArray("error: cannot create ");
    }
    void onlyTheFirstFault() {
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, error);
        QTemporaryDir temporary;
        QFile blocker(temporary.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const Run plain = run(entries);
        const Run drawn = run(QStringList{"--draw", blocker.fileName() + "/sub"} + entries);
        QCOMPARE(drawn.exitCode, 1);
        QVERIFY2(drawn.err.startsWith(error), drawn.err.constData());
        QCOMPARE(drawn.err.count("error:"), 1);
        if (plain.exitCode != 0)
            QCOMPARE(drawn.err, plain.err);
    }
};

QTEST_MAIN(TestCliDraw)
#include "tst_clidraw.moc"
