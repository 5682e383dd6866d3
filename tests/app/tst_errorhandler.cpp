#include "WindowTestSupport.h"

#include "core/Faults.h"
#include "core/Guard.h"

#include <QMessageBox>
#include <QPushButton>

#include <cfenv>
#include <functional>
#include <stdexcept>

using namespace vlnokan;
using namespace vlnokan::test;

namespace {

using Fault = std::function<void()>;

// A control whose handlers fault, each entered from Qt through the program's guard: a click, a
// key, a queued call.
class FaultyButton final : public QPushButton {
public:
    explicit FaultyButton(Fault fault) : m_fault(std::move(fault)) {
        connect(this, &QPushButton::clicked, this, [this] { guarded(m_fault); });
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_F)
            guarded(m_fault);
        QPushButton::keyPressEvent(event);
    }

private:
    Fault m_fault;
};

// An object whose event handler faults without a guard.
class UnguardedHandler final : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw EOverflow();
        return QObject::event(event);
    }
};

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestErrorHandler final : public QObject {
    Q_OBJECT

private:
    BoxRecorder m_boxes;
    ModalWatchdog m_watchdog;

private slots:
    void cleanup() {
        m_boxes.boxes.clear();
        QCOMPARE(m_watchdog.unexpected(), QStringList());
    }

    void everyFaultReachesTheErrorBox_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("conversion fault gains its full stop")
            << Fault([] { throw EConvertError("'' is not a valid integer value"); })
            << QStringList{"error: '' is not a valid integer value."};
        QTest::newRow("range fault")
            << Fault([] { throw ERangeError(); }) << QStringList{"error: Range check error."};
        QTest::newRow("division by zero") << Fault([] { throw EZeroDivide(); })
                                          << QStringList{"error: Floating point division by zero."};
        QTest::newRow("message ending in a full stop gets no second one")
            << Fault([] { throw EPrinter("Printing in progress."); })
            << QStringList{"error: Printing in progress."};
        QTest::newRow("message ending in a bracket gets none")
            << Fault([] { throw Exception("no printer (none)"); })
            << QStringList{"error: no printer (none)"};
        QTest::newRow("standard library fault shows its text")
            << Fault([] { throw std::runtime_error("bad thing"); })
            << QStringList{"error: bad thing."};
        QTest::newRow("silent abort shows nothing")
            << Fault([] { throw EAbort(); }) << QStringList();
    }
    void everyFaultReachesTheErrorBox() {
        QFETCH(Fault, fault);
        QFETCH(QStringList, shown);
        MessageBoxes::Replacement guard(m_boxes);
        FaultyButton button(fault);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));

        // A click, a key and a queued call each reach the same handler.
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(m_boxes.texts(), shown);
        m_boxes.boxes.clear();
        button.setFocus();
        QTest::keyClick(&button, Qt::Key_F);
        QCOMPARE(m_boxes.texts(), shown);
        m_boxes.boxes.clear();
        QMetaObject::invokeMethod(&button, &QAbstractButton::click, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        QCOMPARE(m_boxes.texts(), shown);
        m_boxes.boxes.clear();
        QTimer::singleShot(0, &button, [&] { guarded(fault); });
        QTRY_COMPARE(m_boxes.texts(), shown);
        // Every fault was caught where Qt entered the handler: none unwound through Qt's frames.
        QCOMPARE(VlnokanApplication::faultsPastTheGuards(), faultsPastTheGuardsExpected);
        for (const ShownBox& box : m_boxes.boxes)
            QCOMPARE(box.title, applicationTitle());

        // The program goes on: the next event is handled as usual.
        bool handled = false;
        QTimer::singleShot(0, &button, [&] { handled = true; });
        QTRY_VERIFY(handled);
    }

    // A handler without its guard is still reported, so the program goes on, but it is counted:
    // the window tests fail on any such fault.
    void faultPastTheGuardsIsReportedAndCounted() {
        MessageBoxes::Replacement guard(m_boxes);
        const int before = VlnokanApplication::faultsPastTheGuards();
        UnguardedHandler handler;
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&handler, &event));
        QCOMPARE(m_boxes.texts(), QStringList{"error: Floating point overflow."});
        QCOMPARE(VlnokanApplication::faultsPastTheGuards(), before + 1);
        ++faultsPastTheGuardsExpected;
    }

    // A guard's result for the caller: the handler's own, or the fallback after a fault.
    void guardedResult() {
        MessageBoxes::Replacement guard(m_boxes);
        QCOMPARE(guarded([] { return 7; }, -1), 7);
        QCOMPARE(guarded([]() -> int { throw EIntOverflow(); }, -1), -1);
        QCOMPARE(m_boxes.texts(), QStringList{"error: Integer overflow."});
    }

    void faultLeavesTheFloatingPointUnitClean() {
        MessageBoxes::Replacement guard(m_boxes);
        FaultyButton button([] {
            std::feraiseexcept(FE_DIVBYZERO | FE_INVALID);
            std::fesetround(FE_UPWARD);
            throw EZeroDivide();
        });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(m_boxes.texts(), QStringList{"error: Floating point division by zero."});
        QCOMPARE(std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW), 0);
        QCOMPARE(std::fegetround(), FE_TONEAREST);
    }

    void errorBoxShowsTextCaptionStopIconAndOk() {
        const auto box = makeErrorBox("Vlnokan", "Floating point overflow.");
        QCOMPARE(box->windowTitle(), "Vlnokan");
        QCOMPARE(box->text(), "Floating point overflow.");
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->textFormat(), Qt::PlainText);
    }

    void realErrorBoxIsModalAndClosesOnEnter() {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                seen = box->text() == "Range check error." && box->windowTitle() == "Mytool";
                box->setProperty("expectedByTest", true);
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        RealMessageBoxes().showError("Mytool", "Range check error.");
        QVERIFY(seen);
    }

    void titleComesFromTheExecutable_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("cut before the first full stop, rest lower case")
            << "C:/Programs/MyTool.Calc.EXE"
            << "Mytool";
        QTest::newRow("first letter kept as it is") << "/usr/bin/vlnokan"
                                                    << "vlnokan";
        QTest::newRow("all capitals") << "/opt/VLNOKAN"
                                      << "Vlnokan";
        QTest::newRow("accented capitals lowered") << "/tmp/ČÁP.bin"
                                                   << "Čáp";
        QTest::newRow("name starting with a full stop") << "/home/u/.vlnokan"
                                                        << "";
        QTest::newRow("one letter") << "x"
                                    << "x";
    }
    void titleComesFromTheExecutable() {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(titleFromExecutable(path), title);
    }

    void theApplicationTitleIsThisExecutables() {
        QCOMPARE(applicationTitle(), "tst_errorhandler");
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestErrorHandler)
#include "tst_errorhandler.moc"
