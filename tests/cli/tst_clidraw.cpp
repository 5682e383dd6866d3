#include "calc/CalculateCommand.h"
#include "core/Faults.h"
#include "diagrams/Drawings.h"
#include "diagrams/LabelSlots.h"
#include "tests/support/DrawingView.h"

#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <array>

using namespace vlnokan;

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
        QCOMPARE(savedCan.convertToFormat(QImage::Format_RGB32), can.pixels());
        QCOMPARE(savedFunnel.convertToFormat(QImage::Format_RGB32), funnel.pixels());
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
};

QTEST_MAIN(TestCliDraw)
#include "tst_clidraw.moc"
