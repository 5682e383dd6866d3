#include "WindowTestSupport.h"

#include "calc/Notices.h"
#include "core/Faults.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <memory>

using namespace vlnokan;
using namespace vlnokan::test;

namespace {

// Records the clipboard and the beeps, or fails to open the clipboard.
class DesktopRecorder final : public DesktopService {
public:
    void setClipboardText(const QString& text) override {
        if (failing)
            throw Exception("Cannot open clipboard");
        clipboard << text;
    }
    void beep() override { ++beeps; }

    QStringList clipboard;
    int beeps = 0;
    bool failing = false;
};

QString notice(Notice which, int mouth = 0) {
    return QString::fromStdString(noticeText(which, mouth));
}

} // namespace

class TestMessageForm final : public QObject {
    Q_OBJECT

private:
    DesktopRecorder m_desktop;
    std::unique_ptr<Desktop::Replacement> m_desktopGuard;
    ModalWatchdog m_watchdog;

private slots:
    void init() {
        m_desktop = DesktopRecorder();
        m_desktopGuard = std::make_unique<Desktop::Replacement>(m_desktop);
    }
    void cleanup() {
        m_desktopGuard.reset();
        QCOMPARE(m_watchdog.unexpected(), QStringList());
    }

    void geometryFollowsTheMeasuredLetters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("secondLineStart");
        QTest::newRow("C1") << notice(Notice::C1) << "zmenšili";
        QTest::newRow("C2") << notice(Notice::C2) << "tak jsme";
        QTest::newRow("F3 with its diameter") << notice(Notice::F3, 170) << "zvětšili";
        QTest::newRow("long text wraps at half the screen")
            << QString("slovo ").repeated(80).trimmed() << "";
    }
    void geometryFollowsTheMeasuredLetters() {
        QFETCH(QString, text);
        QFETCH(QString, secondLineStart);
        TMessageForm box("Vlnokan", text);
        const QFontMetrics metrics(box.font());
        const int cw =
            metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
        const int ch = metrics.height();
        const QRect message = box.message()->geometry();
        const QRect ok = box.okButton()->geometry();
        const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;

        QCOMPARE(box.message()->objectName(), "Message");
        QCOMPARE(box.okButton()->objectName(), "OK");
        QCOMPARE(message.topLeft(), QPoint(2 * cw, ch));
        QVERIFY(message.width() <= halfScreen);
        QVERIFY(message.height() >= 2 * ch);
        QCOMPARE(ok.width(), std::max((25 * cw + 1) / 2, metrics.horizontalAdvance("OK") + 8));
        QCOMPARE(ok.height(), (7 * ch + 2) / 4);
        QCOMPARE(ok.top(), message.height() + ch + (5 * ch + 2) / 4);
        QCOMPARE(ok.left(), (box.width() - ok.width()) / 2);
        QCOMPARE(box.width(), std::max(message.width(), ok.width()) + 4 * cw);
        QCOMPARE(box.height(), message.height() + ok.height() + (5 * ch + 2) / 4 + 2 * ch);
        QCOMPARE(box.windowTitle(), "Vlnokan");
        // The text after the line break stands on a line of its own.
        QCOMPARE(box.message()->text().section('\n', 1).left(secondLineStart.size()),
                 secondLineStart);
        QVERIFY(!box.message()->text().contains('\r'));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(box.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(box.geometry().center().y() - screen.center().y()) <= 1);
    }

    void closingKeysAndClicks_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("keypad enter") << int(Qt::Key_Enter);
        QTest::newRow("escape") << int(Qt::Key_Escape);
        QTest::newRow("click on OK") << 0;
        QTest::newRow("the frame's close") << -1;
    }
    void closingKeysAndClicks() {
        QFETCH(int, key);
        TMessageForm box("Vlnokan", notice(Notice::F1));
        box.setProperty("expectedByTest", true);
        bool answered = false;
        QTimer::singleShot(0, &box, [&] {
            answered = true;
            if (key > 0)
                QTest::keyClick(box.okButton(), Qt::Key(key));
            else if (key == 0)
                QTest::mouseClick(box.okButton(), Qt::LeftButton);
            else
                box.close();
        });
        QTimer::singleShot(3000, &box, [&] { box.done(99); });
        const int result = box.exec();
        QVERIFY(answered);
        QVERIFY(result != 99);
        QVERIFY(!box.isVisible());
        QCOMPARE(m_desktop.beeps, 0);
    }

    void ctrlCCopiesTheSevenLines() {
        const QString text = notice(Notice::C1);
        TMessageForm box("Vlnokan", text);
        box.setProperty("expectedByTest", true);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::keyClick(box.okButton(), Qt::Key_C, Qt::ControlModifier);
        const QString rule = QString(27, '-') + "\r\n";
        QCOMPARE(m_desktop.clipboard, QStringList{rule + "Vlnokan\r\n" + rule + text + "\r\n" +
                                                  rule + "OK   \r\n" + rule});
        QCOMPARE(m_desktop.beeps, 1);
        QVERIFY(box.isVisible());
    }

    void otherCtrlKeysCopyNothing_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("key");
        QTest::newRow("ctrl+shift+c")
            << int(Qt::ControlModifier | Qt::ShiftModifier) << int(Qt::Key_C);
        QTest::newRow("ctrl+alt+c") << int(Qt::ControlModifier | Qt::AltModifier) << int(Qt::Key_C);
        QTest::newRow("c alone") << int(Qt::NoModifier) << int(Qt::Key_C);
        QTest::newRow("ctrl+v") << int(Qt::ControlModifier) << int(Qt::Key_V);
    }
    void otherCtrlKeysCopyNothing() {
        QFETCH(int, modifiers);
        QFETCH(int, key);
        TMessageForm box("Vlnokan", notice(Notice::C2));
        box.setProperty("expectedByTest", true);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::keyClick(box.okButton(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_desktop.clipboard, QStringList());
        QCOMPARE(m_desktop.beeps, 0);
    }

    void clipboardFaultIsReportedOverTheBox() {
        BoxRecorder boxes;
        MessageBoxes::Replacement boxGuard(boxes);
        m_desktop.failing = true;
        TMessageForm box("Vlnokan", notice(Notice::F2));
        box.setProperty("expectedByTest", true);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::keyClick(box.okButton(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(boxes.texts(), QStringList{"error: Cannot open clipboard."});
        QCOMPARE(boxes.boxes.front().title, applicationTitle());
        QVERIFY(box.isVisible());
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestMessageForm)
#include "tst_messageform.moc"
