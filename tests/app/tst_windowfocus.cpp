#include "WindowTestSupport.h"

#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using namespace vlnokan;
using namespace vlnokan::test;

Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

// Which controls take the keyboard focus, by Tab and by the mouse, and the keys that press the
// Calculate button.
class TestWindowFocus final : public QObject {
    Q_OBJECT

private:
    // A started window: shown, activated, its first calculation done, the focus on the button.
    std::unique_ptr<TForm1> start(int dpi) {
        auto form = std::make_unique<TForm1>(dpi);
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            return nullptr;
        if (!QTest::qWaitFor([&] { return form->EditLg->text() == "247"; }, 2000))
            return nullptr;
        return form;
    }

    static QString nameOf(const QWidget* widget) {
        return widget ? widget->objectName() : QStringLiteral("(none)");
    }

    BoxRecorder m_boxes;
    std::unique_ptr<MessageBoxes::Replacement> m_boxGuard;
    ModalWatchdog m_watchdog;

private slots:
    void init() {
        m_boxes.boxes.clear();
        m_boxGuard = std::make_unique<MessageBoxes::Replacement>(m_boxes);
    }
    void cleanup() {
        m_boxGuard.reset();
        QCOMPARE(m_boxes.texts(), QStringList());
        QCOMPARE(m_watchdog.unexpected(), QStringList());
    }

    // Tab from start-up visits the focus table and nothing else, round to the button again; a
    // finer screen, whose client scrolls, adds no stop either.
    void tabCyclesThroughTheFocusTable_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QStringList>("visited");
        const QStringList forward{"EditD",  "EditGHz", "EditAlfa", "EditUsti",  "EditLo",
                                  "EditLg", "EditLo4", "EditLg4",  "BitBtnCalc"};
        const QStringList backward{"EditLg4",  "EditLo4", "EditLg", "EditLo",    "EditUsti",
                                   "EditAlfa", "EditGHz", "EditD",  "BitBtnCalc"};
        QTest::newRow("tab at 96 dpi") << 96 << Qt::KeyboardModifiers() << forward;
        QTest::newRow("shift+tab at 96 dpi")
            << 96 << Qt::KeyboardModifiers(Qt::ShiftModifier) << backward;
        QTest::newRow("tab at 192 dpi, client scrolled")
            << 192 << Qt::KeyboardModifiers() << forward;
    }
    void tabCyclesThroughTheFocusTable() {
        QFETCH(int, dpi);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QStringList, visited);
        auto form = start(dpi);
        QVERIFY(form);
        QCOMPARE(nameOf(QApplication::focusWidget()), "BitBtnCalc");
        QStringList order;
        for (int i = 0; i < visited.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            order << nameOf(QApplication::focusWidget());
        }
        QCOMPARE(order, visited);
    }

    // A click anywhere but on a control of the focus table leaves the focus where it was, so
    // the next keys still go into the entry.
    void clicksElsewhereKeepTheFocus_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("window background") << "client" << QPoint(400, 440);
        QTest::newRow("background beside the heading") << "client" << QPoint(10, 10);
        QTest::newRow("can drawing") << "Image1" << QPoint(200, 100);
        QTest::newRow("funnel drawing") << "Image2" << QPoint(150, 120);
        QTest::newRow("where the drawings overlap") << "Image2" << QPoint(0, 100);
        QTest::newRow("a static text") << "StaticText11" << QPoint(10, 10);
        QTest::newRow("a heading") << "StaticText12" << QPoint(10, 10);
    }
    void clicksElsewhereKeepTheFocus() {
        QFETCH(QString, target);
        QFETCH(QPoint, at);
        auto form = start(96);
        QVERIFY(form);
        QWidget* widget =
            target == "client" ? form->client() : form->client()->findChild<QWidget*>(target);
        QVERIFY(widget);
        QCOMPARE(widget->childAt(at), nullptr);
        QTest::mouseClick(form->EditD, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), form->EditD);
        form->EditD->setText("8");
        form->EditD->end(false);
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseClick(widget, Qt::RightButton, {}, at);
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        QCOMPARE(nameOf(QApplication::focusWidget()), "EditD");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
        QCOMPARE(form->EditD->text(), "85");
    }

    // The focused button is pressed by Enter, keypad Enter and Space; Enter with a modifier and
    // other keys do nothing.
    void keysOnTheFocusedButton_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("calculations");
        QTest::newRow("enter") << Qt::Key_Return << Qt::KeyboardModifiers() << 1;
        QTest::newRow("keypad enter")
            << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier) << 1;
        QTest::newRow("space") << Qt::Key_Space << Qt::KeyboardModifiers() << 1;
        QTest::newRow("ctrl+enter")
            << Qt::Key_Return << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
        QTest::newRow("a letter") << Qt::Key_A << Qt::KeyboardModifiers() << 0;
    }
    void keysOnTheFocusedButton() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, calculations);
        auto form = start(96);
        QVERIFY(form);
        QCOMPARE(QApplication::focusWidget(), form->BitBtnCalc);
        form->EditD->setText("60");
        QSignalSpy designs(form.get(), &TForm1::designChanged);
        QTest::keyClick(form->BitBtnCalc, key, modifiers);
        QCOMPARE(designs.count() > 0, calculations > 0);
        // The entry corrected by the calculation shows that it ran.
        QCOMPARE(form->EditD->text(), calculations > 0 ? "74" : "60");
        m_boxes.boxes.clear();
    }

    // Enter in an entry is no click: the entries keep their own keys.
    void enterInAnEntryDoesNotCalculate() {
        auto form = start(96);
        QVERIFY(form);
        form->EditD->setFocus();
        form->EditD->setText("60");
        QSignalSpy designs(form.get(), &TForm1::designChanged);
        QTest::keyClick(form->EditD, Qt::Key_Return);
        QCOMPARE(designs.count(), 0);
        QCOMPARE(form->EditD->text(), "60");
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestWindowFocus)
#include "tst_windowfocus.moc"
