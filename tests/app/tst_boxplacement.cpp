#include "WindowTestSupport.h"

#include "calc/Notices.h"

#include <QGuiApplication>
#include <QScreen>

using namespace vlnokan;
using namespace vlnokan::test;

// The notice box under a window manager, which frames it only once it is on screen: the framed
// box stands in the middle of the screen, as the bare box does without a window manager.
class TestBoxPlacement final : public QObject {
    Q_OBJECT

private:
    ModalWatchdog m_watchdog;

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("Needs an X server with a window manager (run through with-window-manager.sh).");
    }
    void cleanup() { QCOMPARE(m_watchdog.unexpected(), QStringList()); }

    void framedNoticeBoxIsCentred_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("C1") << QString::fromStdString(noticeText(Notice::C1));
        QTest::newRow("F3 with its diameter")
            << QString::fromStdString(noticeText(Notice::F3, 170));
    }
    void framedNoticeBoxIsCentred() {
        QFETCH(QString, text);
        TMessageForm box("Vlnokan", text);
        box.setProperty("expectedByTest", true);
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        if (!QTest::qWaitFor([&] { return box.frameGeometry() != box.geometry(); }, 3000))
            QSKIP("No window manager framed the box.");
        // The title bar makes the frame taller above than below.
        QVERIFY(box.geometry().top() - box.frameGeometry().top() >
                box.frameGeometry().bottom() - box.geometry().bottom());
        const QRect screen = box.screen()->geometry();
        QTRY_VERIFY2(qAbs(box.frameGeometry().center().y() - screen.center().y()) <= 1,
                     qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                    .arg(box.frameGeometry().x())
                                    .arg(box.frameGeometry().y())
                                    .arg(box.frameGeometry().width())
                                    .arg(box.frameGeometry().height())));
        QVERIFY(qAbs(box.frameGeometry().center().x() - screen.center().x()) <= 1);
        box.close();
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestBoxPlacement)
#include "tst_boxplacement.moc"
