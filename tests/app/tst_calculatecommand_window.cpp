#include "WindowTestSupport.h"

#include "calc/Notices.h"

#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using namespace vlnokan;
using namespace vlnokan::test;

namespace {

// A notice as "C1 D=130 alfa=40 Du=300": which one, and what the entries read while it showed.
QString describe(const ShownBox& box) {
    if (box.kind == "error")
        return "error " + box.text;
    QString label = "?";
    for (Notice notice : {Notice::C1, Notice::C2, Notice::F1, Notice::F2, Notice::F3}) {
        const QString first = QString::fromStdString(noticeText(notice)).section('\n', 0, 0);
        if (box.text.section('\n', 0, 0) == first)
            label = QString::fromStdString(noticeLabel(notice));
    }
    return QStringLiteral("%1 D=%2 alfa=%3 Du=%4").arg(label, box.diameter, box.angle, box.mouth);
}

QStringList describeAll(const BoxRecorder& recorder) {
    QStringList all;
    for (const ShownBox& box : recorder.boxes)
        all << describe(box);
    return all;
}

// Whether the text cell at a slot holds nothing but white.
bool slotBlank(TForm1& form, Slot slot) {
    const Diagram& drawing =
        LabelSlots::onCanDrawing(slot) ? form.Image1->diagram() : form.Image2->diagram();
    const QPoint at = toQPoint(LabelSlots::position(slot));
    const QImage pixels = toImage(drawing);
    const QRect cell = QRect(at, QSize(14, drawing.textCellHeight())) & pixels.rect();
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (pixels.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

int blankSlots(TForm1& form) {
    int blank = 0;
    for (Slot slot : LabelSlots::blankingOrder())
        blank += slotBlank(form, slot) ? 1 : 0;
    return blank;
}

} // namespace

class TestCalculateWindow final : public QObject {
    Q_OBJECT

private:
    // A started window: shown, activated once, its first calculation done.
    std::unique_ptr<TForm1> start() {
        auto form = std::make_unique<TForm1>(96);
        m_boxes.setForm(form.get());
        form->move(190, 79);
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            return nullptr;
        if (!QTest::qWaitFor(
                [&] { return form->EditLg->text() != "184" || !m_boxes.boxes.empty(); }, 2000))
            return nullptr;
        return form;
    }

    void calculate(TForm1& form) {
        QTest::mouseClick(form.BitBtnCalc, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    static void enter(TForm1& form, const QString& frequency, const QString& diameter,
                      const QString& angle, const QString& mouth) {
        form.EditGHz->setText(frequency);
        form.EditD->setText(diameter);
        form.EditAlfa->setText(angle);
        form.EditUsti->setText(mouth);
    }

    BoxRecorder m_boxes;
    std::unique_ptr<MessageBoxes::Replacement> m_boxGuard;
    std::unique_ptr<ModalWatchdog> m_watchdog;

private slots:
    void init() {
        m_boxes.boxes.clear();
        m_boxGuard = std::make_unique<MessageBoxes::Replacement>(m_boxes);
        m_watchdog = std::make_unique<ModalWatchdog>();
    }
    void cleanup() {
        QCOMPARE(m_watchdog->unexpected(), QStringList());
        m_watchdog.reset();
        m_boxGuard.reset();
    }

    void startUpComputesTheDefaults_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("frequencyAfter");
        QTest::newRow("comma locale keeps 2,4") << ","
                                                << "2,4";
        QTest::newRow("point locale turns 2,4 into 2.4") << "."
                                                         << "2.4";
    }
    void startUpComputesTheDefaults() {
        QFETCH(QString, separator);
        QFETCH(QString, frequencyAfter);
        FixedLocale locale(separator.toStdString());
        entry::Locale::Replacement localeGuard(locale);
        auto form = start();
        QVERIFY(form);
        QCOMPARE(describeAll(m_boxes), QStringList());
        QCOMPARE(form->EditGHz->text(), frequencyAfter);
        QCOMPARE(form->EditLo->text(), "125");
        QCOMPARE(form->EditLg->text(), "247");
        QCOMPARE(form->EditLo4->text(), "31");
        QCOMPARE(form->EditLg4->text(), "62");
        QCOMPARE(QString::fromStdString(form->decimalSeparator()), separator);
        QCOMPARE(form->pos(), QPoint(0, 0));
        QCOMPARE(QApplication::focusWidget(), form->BitBtnCalc);
        QCOMPARE(blankSlots(*form), 0);
    }

    void faultInTheFirstCalculationReachesTheErrorBox() {
        auto form = std::make_unique<TForm1>(96);
        m_boxes.setForm(form.get());
        form->EditD->setText("8 5");
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTRY_COMPARE(m_boxes.texts(), QStringList{"error: '8 5' is not a valid integer value."});
        QCOMPARE(m_boxes.boxes.front().title, applicationTitle());
        // The window opens with the placeholders and blank slots.
        QCOMPARE(form->EditLg->text(), "184");
        QCOMPARE(blankSlots(*form), 14);
    }

    void activationRunsOnlyOnce() {
        auto form = start();
        QVERIFY(form);
        // Anything the activation's calculation would stumble on.
        form->EditD->setText(QString());
        form->move(200, 100);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCoreApplication::processEvents();
        QCOMPARE(describeAll(m_boxes), QStringList());
        QCOMPARE(form->pos(), QPoint(200, 100));
        QCOMPARE(form->EditD->text(), QString());
    }

    void noticesAndRewrittenEntries_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("diameter");
        QTest::addColumn<QString>("angle");
        QTest::addColumn<QString>("mouth");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<QStringList>("entriesAfter");
        QTest::newRow("C1: notice while D still reads 130, then 125")
            << "2.4"
            << "130"
            << "40"
            << "300" << QStringList{"C1 D=130 alfa=40 Du=300"} << QStringList{"125", "40", "300"};
        QTest::newRow("C2: D already reads 74 when the notice shows")
            << "2.4"
            << "60"
            << "40"
            << "300" << QStringList{"C2 D=74 alfa=40 Du=300"} << QStringList{"74", "40", "300"};
        QTest::newRow("F1: notice while the angle reads 70, then 60")
            << "2.4"
            << "85"
            << "70"
            << "300" << QStringList{"F1 D=85 alfa=70 Du=300"} << QStringList{"85", "60", "300"};
        QTest::newRow("F2: notice while the angle reads 10, then 20")
            << "2.4"
            << "85"
            << "10"
            << "300" << QStringList{"F2 D=85 alfa=10 Du=300"} << QStringList{"85", "20", "300"};
        QTest::newRow("F3: notice while the mouth reads 100, then 170")
            << "2.4"
            << "85"
            << "40"
            << "100" << QStringList{"F3 D=85 alfa=40 Du=100"} << QStringList{"85", "40", "170"};
        QTest::newRow("C1 and F3: the mouth follows the corrected can")
            << "2.4"
            << "130"
            << "40"
            << "200" << QStringList{"C1 D=130 alfa=40 Du=200", "F3 D=125 alfa=40 Du=200"}
            << QStringList{"125", "40", "250"};
        QTest::newRow("F1 and F3 in one command")
            << "2.4"
            << "85"
            << "99"
            << "0" << QStringList{"F1 D=85 alfa=99 Du=0", "F3 D=85 alfa=60 Du=0"}
            << QStringList{"85", "60", "170"};
    }
    void noticesAndRewrittenEntries() {
        QFETCH(QString, frequency);
        QFETCH(QString, diameter);
        QFETCH(QString, angle);
        QFETCH(QString, mouth);
        QFETCH(QStringList, notices);
        QFETCH(QStringList, entriesAfter);
        FixedLocale locale(".");
        entry::Locale::Replacement localeGuard(locale);
        auto form = start();
        QVERIFY(form);
        m_boxes.boxes.clear();
        enter(*form, frequency, diameter, angle, mouth);
        calculate(*form);
        QCOMPARE(describeAll(m_boxes), notices);
        for (const ShownBox& box : m_boxes.boxes)
            QCOMPARE(box.title, applicationTitle());
        QCOMPARE((QStringList{form->EditD->text(), form->EditAlfa->text(), form->EditUsti->text()}),
                 entriesAfter);
        QCOMPARE(blankSlots(*form), 0);
        if (notices.contains("F3 D=85 alfa=40 Du=100"))
            QVERIFY(m_boxes.boxes.back().text.endsWith("na 170"));
    }

    void theCanCorrectionChangesTheGuideWavelength() {
        auto form = start();
        QVERIFY(form);
        enter(*form, "2.4", "130", "40", "300");
        calculate(*form);
        QCOMPARE(form->EditLg->text(), "154");
    }

    void faultEndsTheCommandWhereItStrikes_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("diameter");
        QTest::addColumn<QString>("mouth");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("frequencyAfter");
        QTest::addColumn<QString>("loAfter");
        QTest::addColumn<int>("blankSlotsAfter");
        QTest::newRow("empty diameter: frequency rewritten, slots blank, fields kept")
            << "2,4"
            << ""
            << "300" << QStringList{"error '' is not a valid integer value."} << "2.4"
            << "999" << 14;
        QTest::newRow("eleven nines fail as a conversion, not an overflow")
            << "2.4"
            << "99999999999"
            << "300" << QStringList{"error '99999999999' is not a valid integer value."} << "2.4"
            << "999" << 14;
        QTest::newRow("second separator makes the frequency fail")
            << "1,2.5"
            << "85"
            << "300" << QStringList{"error '1.2.5' is not a valid floating point value."} << "1.2.5"
            << "999" << 14;
        QTest::newRow("frequency 0 divides by zero before Lo is written")
            << "0"
            << "85"
            << "300" << QStringList{"error Floating point division by zero."} << "0"
            << "999" << 14;
        QTest::newRow("tiny frequency: notice C2 first, then doubling the can overflows")
            << "0.0000001"
            << "85"
            << "300" << QStringList{"C2 D=1785714286 alfa=40 Du=300", "error Integer overflow."}
            << "0.0000001"
            << "3000000000" << 10;
        QTest::newRow("huge mouth overflows the square after the can's figures")
            << "2.4"
            << "85"
            << "100000" << QStringList{"error Integer overflow."} << "2.4"
            << "125" << 10;
    }
    void faultEndsTheCommandWhereItStrikes() {
        QFETCH(QString, frequency);
        QFETCH(QString, diameter);
        QFETCH(QString, mouth);
        QFETCH(QStringList, boxes);
        QFETCH(QString, frequencyAfter);
        QFETCH(QString, loAfter);
        QFETCH(int, blankSlotsAfter);
        FixedLocale locale(".");
        entry::Locale::Replacement localeGuard(locale);
        auto form = start();
        QVERIFY(form);
        m_boxes.boxes.clear();
        for (QLineEdit* field : {form->EditLo, form->EditLg, form->EditLo4, form->EditLg4})
            field->setText("999");
        enter(*form, frequency, diameter, "40", mouth);
        calculate(*form);
        QCOMPARE(describeAll(m_boxes), boxes);
        QCOMPARE(m_boxes.boxes.back().title, applicationTitle());
        QCOMPARE(form->EditGHz->text(), frequencyAfter);
        QCOMPARE(form->EditLo->text(), loAfter);
        QCOMPARE(blankSlots(*form), blankSlotsAfter);
        // No funnel was completed, so nothing may offer one.
        QVERIFY(!form->design().funnelKnown);

        // The program goes on: the next calculation computes normally.
        m_boxes.boxes.clear();
        QSignalSpy designChanges(form.get(), &TForm1::designChanged);
        enter(*form, "2.4", "85", "40", "300");
        calculate(*form);
        QCOMPARE(describeAll(m_boxes), QStringList());
        QCOMPARE(designChanges.count(), 3);
        QVERIFY(form->design().funnelKnown);
        QCOMPARE((QList<int>{form->design().diameter, form->design().angle, form->design().mouth}),
                 (QList<int>{85, 40, 300}));
        QCOMPARE((QStringList{form->EditLo->text(), form->EditLg->text(), form->EditLo4->text(),
                              form->EditLg4->text()}),
                 (QStringList{"125", "247", "31", "62"}));
        QCOMPARE(blankSlots(*form), 0);
    }

    void realNoticeBoxHoldsTheCommandUntilClosed_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("closed with enter") << int(Qt::Key_Return);
        QTest::newRow("closed with escape") << int(Qt::Key_Escape);
    }
    void realNoticeBoxHoldsTheCommandUntilClosed() {
        QFETCH(int, key);
        auto form = start();
        QVERIFY(form);
        m_boxGuard.reset();
        enter(*form, "2.4", "130", "40", "300");
        QString diameterWhileShown;
        QString caption;
        bool applicationModal = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll.stop();
            box->setProperty("expectedByTest", true);
            diameterWhileShown = form->EditD->text();
            caption = box->windowTitle();
            // The window takes no input while the notice is open.
            applicationModal = box->windowModality() == Qt::ApplicationModal;
            QTest::keyClick(box->okButton(), Qt::Key(key));
        });
        poll.start(10);
        calculate(*form);
        QCOMPARE(diameterWhileShown, "130");
        QCOMPARE(caption, applicationTitle());
        QVERIFY(applicationModal);
        QCOMPARE(form->EditD->text(), "125");
        QCOMPARE(form->EditLg->text(), "154");
        QVERIFY(!QApplication::activeModalWidget());
    }

    void buttonDoesNotMoveTheWindowBack() {
        auto form = start();
        QVERIFY(form);
        form->move(300, 200);
        calculate(*form);
        QCOMPARE(form->pos(), QPoint(300, 200));
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestCalculateWindow)
#include "tst_calculatecommand_window.moc"
