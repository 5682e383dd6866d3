#include "tests/app/WindowTestSupport.h"
#include "tests/print/PrintTestSupport.h"

#include "print/Printer.h"

#include <QAction>
#include <QMenu>
#include <QProcess>

#include <memory>

using namespace vlnokan;
using namespace vlnokan::test;

// The print commands of the two pictures' context menus, on the private cups-pdf queue: the
// figures of the start-up calculation reach the paper.
class TestWindowPrinting final : public QObject {
    Q_OBJECT

    bool m_started = false;
    BoxRecorder m_boxes;
    std::unique_ptr<MessageBoxes::Replacement> m_boxGuard;
    std::unique_ptr<TForm1> m_form;

private slots:
    void initTestCase() {
        const int started = startPrivateScheduler();
        if (started == 77)
            QSKIP("the private cups-pdf queue needs root");
        QCOMPARE(started, 0);
        m_started = true;
        m_boxGuard = std::make_unique<MessageBoxes::Replacement>(m_boxes);
        m_form = std::make_unique<TForm1>(96);
        m_boxes.setForm(m_form.get());
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QVERIFY(QTest::qWaitFor([this] { return m_form->EditLg->text() == "247"; }, 5000));
    }
    void cleanupTestCase() {
        m_form.reset();
        if (m_started)
            runScript("stop");
    }

    void menuPrintsThePictureWithItsFigures_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("picture");
        QTest::newRow("funnel pattern from Print1") << "PopupMenu1"
                                                    << "Print1"
                                                    << "Image2";
        QTest::newRow("can side view from rint1") << "PopupMenu2"
                                                  << "rint1"
                                                  << "Image1";
    }
    void menuPrintsThePictureWithItsFigures() {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, picture);
        auto* action = m_form->findChild<QMenu*>(menu)->findChild<QAction*>(item);
        QVERIFY(action);
        const Diagram& diagram = m_form->findChild<DiagramView*>(picture)->diagram();

        const int before = pdfFiles().size();
        // Queued like a menu click, so a fault would take the program's own road to the box.
        QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
        QVERIFY2(waitForPdfs(before + 1), "no PDF from the print queue within a minute");
        QCOMPARE(m_boxes.texts(), QStringList());
        const QString file = pdfDir + '/' + pdfFiles().last();
        QCOMPARE(pdfInfo(file, "Pages"), QStringLiteral("1"));

        // The queue's default is 300 dpi, its printable area the whole sheet: blocks of
        // 300 / window dots from the page's corner, checked at 1200 dpi.
        const int block = 300 / m_form->pixelsPerInch() * 4;
        const QSize part(diagram.width() * block + 50, diagram.height() * block + 50);
        QCOMPARE(firstDifference(diagram, rasterise(file, 1200, part), QPoint(0, 0), block, block),
                 QString());
    }

    // A queue that takes no jobs: the error box gives lp's reason under the usual sentence.
    void refusedJobInTheErrorBox() {
        QProcess reject;
        reject.start("cupsreject", {"vlnokan-pdf"});
        QVERIFY(reject.waitForFinished(20000) && reject.exitCode() == 0);
        m_boxes.boxes.clear();
        auto* action = m_form->findChild<QMenu*>("PopupMenu1")->findChild<QAction*>("Print1");
        QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
        const bool boxShown = QTest::qWaitFor([this] { return !m_boxes.boxes.empty(); }, 20000);
        QProcess accept;
        accept.start("cupsaccept", {"vlnokan-pdf"});
        accept.waitForFinished(20000);
        QVERIFY(boxShown);
        QCOMPARE(m_boxes.boxes.front().kind, QString("error"));
        QCOMPARE(m_boxes.boxes.front().text,
                 QString("Print job could not be sent to the printer.\nDestination "
                         "\"vlnokan-pdf\" is not accepting jobs."));
    }

    void faultFromTheMenuReachesTheErrorBox() {
        runScript("stop");
        m_started = false;
        m_boxes.boxes.clear();
        auto* action = m_form->findChild<QMenu*>("PopupMenu2")->findChild<QAction*>("rint1");
        QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
        QVERIFY(QTest::qWaitFor([this] { return !m_boxes.boxes.empty(); }, 20000));
        QCOMPARE(m_boxes.boxes.front().kind, QString("error"));
        QVERIFY2(m_boxes.boxes.front().text.endsWith('.'), qPrintable(m_boxes.boxes.front().text));
        QVERIFY(m_form->isVisible());
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestWindowPrinting)
#include "tst_windowprinting.moc"
