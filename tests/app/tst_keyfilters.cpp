#include "WindowTestSupport.h"

#include <QClipboard>
#include <QKeySequence>

#include <memory>

using namespace vlnokan;
using namespace vlnokan::test;

class TestKeyFilters final : public QObject {
    Q_OBJECT

private:
    QLineEdit* entry(const QString& name) { return m_form->findChild<QLineEdit*>(name); }

    BoxRecorder m_boxes;
    std::unique_ptr<MessageBoxes::Replacement> m_boxGuard;
    std::unique_ptr<TForm1> m_form;
    ModalWatchdog m_watchdog;

private slots:
    void initTestCase() {
        m_boxGuard = std::make_unique<MessageBoxes::Replacement>(m_boxes);
        m_form = std::make_unique<TForm1>(96);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    void cleanupTestCase() {
        m_form.reset();
        m_boxGuard.reset();
    }
    void cleanup() { QCOMPARE(m_watchdog.unexpected(), QStringList()); }

    void typedCharacters_data() {
        QTest::addColumn<QString>("entryName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("frequency takes digits, comma and point") << "EditGHz"
                                                                 << "1,2.5"
                                                                 << "1,2.5";
        QTest::newRow("frequency drops letters, signs, blanks and exponents") << "EditGHz"
                                                                              << "a-2e5+ x"
                                                                              << "25";
        QTest::newRow("diameter drops point and comma") << "EditD"
                                                        << "1.2,3"
                                                        << "123";
        QTest::newRow("diameter drops a minus sign") << "EditD"
                                                     << "-85"
                                                     << "85";
        QTest::newRow("angle drops letters") << "EditAlfa"
                                             << "x4y0"
                                             << "40";
        QTest::newRow("mouth drops a blank and a plus") << "EditUsti"
                                                        << " 3+00"
                                                        << "300";
        QTest::newRow("mouth drops letters") << "EditUsti"
                                             << "e1r"
                                             << "1";
        QTest::newRow("entries have no length limit")
            << "EditD" << QString(300, u'7') << QString(300, u'7');
    }
    void typedCharacters() {
        QFETCH(QString, entryName);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QLineEdit* edit = entry(entryName);
        QVERIFY(edit);
        edit->clear();
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), expected);
    }

    void editingKeys_data() {
        QTest::addColumn<QString>("entryName");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("expected");
        QTest::newRow("backspace deletes") << "EditD"
                                           << "85" << QKeySequence(Qt::Key_Backspace) << "8";
        QTest::newRow("home and delete work")
            << "EditGHz"
            << "2,4" << QKeySequence(QKeyCombination(Qt::Key_Home), QKeyCombination(Qt::Key_Delete))
            << ",4";
        QTest::newRow("arrow then digit inserts")
            << "EditAlfa"
            << "40" << QKeySequence(QKeyCombination(Qt::Key_Left), QKeyCombination(Qt::Key_5))
            << "450";
        QTest::newRow("ctrl+v pastes nothing")
            << "EditD"
            << "85" << QKeySequence(Qt::CTRL | Qt::Key_V) << "85";
        QTest::newRow("ctrl+x cuts nothing")
            << "EditUsti"
            << "300" << QKeySequence(Qt::SHIFT | Qt::Key_Home, Qt::CTRL | Qt::Key_X) << "300";
        QTest::newRow("ctrl+z undoes nothing")
            << "EditGHz"
            << "2,4" << QKeySequence(QKeyCombination(Qt::Key_1), Qt::CTRL | Qt::Key_Z) << "2,41";
        QTest::newRow("enter and escape type nothing")
            << "EditD"
            << "85"
            << QKeySequence(QKeyCombination(Qt::Key_Return), QKeyCombination(Qt::Key_Escape))
            << "85";
    }
    void editingKeys() {
        QFETCH(QString, entryName);
        QFETCH(QString, initial);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, expected);
        QGuiApplication::clipboard()->setText("777");
        QLineEdit* edit = entry(entryName);
        edit->setText(initial);
        edit->setFocus();
        edit->end(false);
        for (int i = 0; i < keys.count(); ++i) {
            const QKeyCombination combination = keys[i];
            QTest::keyClick(edit, combination.key(), combination.keyboardModifiers());
        }
        QCOMPARE(edit->text(), expected);
        QCOMPARE(QGuiApplication::clipboard()->text(), "777");
        QCOMPARE(m_boxes.boxes.size(), std::size_t(0));
    }

    void ctrlCCopiesNothing() {
        QGuiApplication::clipboard()->setText("old");
        m_form->EditD->setText("85");
        m_form->EditD->setFocus();
        m_form->EditD->selectAll();
        QTest::keyClick(m_form->EditD, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "old");
    }

    void pastingThroughTheMenuIsNotFiltered() {
        // What the entry's own context menu does: the conversions must cope with the result.
        QGuiApplication::clipboard()->setText(" x-1");
        m_form->EditD->setText("85");
        m_form->EditD->end(false);
        m_form->EditD->paste();
        QCOMPARE(m_form->EditD->text(), "85 x-1");
    }

    void readOnlyFieldsTakeNoTyping() {
        m_form->EditLo->setText("125");
        m_form->EditLo->setFocus();
        QTest::keyClicks(m_form->EditLo, "9");
        QCOMPARE(m_form->EditLo->text(), "125");
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestKeyFilters)
#include "tst_keyfilters.moc"
