#include "details/DetailsWindow.h"
#include "tests/app/WindowTestSupport.h"
#include "tests/support/RecordingFaults.h"

#include <QChartView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include <memory>

using namespace vlnokan;
using namespace vlnokan::test;

namespace {

Design defaults() {
    return Design::complete(2.4L, 85, 40, 300);
}

QString text(const QWidget* window, const char* name) {
    const auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(name);
}

QStringList column(const QTableWidget* table, int column, int rows) {
    QStringList cells;
    for (int row = 0; row < rows && row < table->rowCount(); ++row)
        cells << table->item(row, column)->text();
    return cells;
}

int plotted(const QWidget* window) {
    const auto* view = window->findChild<QChartView*>("chart");
    return qobject_cast<QLineSeries*>(view->chart()->series().front())->count();
}

// Replaces a spin box's value as a user does: select all, type, Enter.
void typeInto(QDoubleSpinBox* box, const QString& value) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, value);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

class TestDetailsWindow final : public QObject {
    Q_OBJECT

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
        QVERIFY2(m_watchdog->unexpected().isEmpty(),
                 qPrintable(m_watchdog->unexpected().join(';')));
        m_watchdog.reset();
        m_boxGuard.reset();
    }

    // Right-click on the can drawing, pick the item, and the window follows each Calculate.
    void canDrawingMenuOpensAWindowThatFollowsCalculations() {
        FixedLocale locale(".");
        entry::Locale::Replacement localeGuard(locale);
        TForm1 form(96);
        m_boxes.setForm(&form);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTRY_COMPARE(form.EditLg4->text(), "62");

        QCOMPARE(form.PopupMenu2->actions().size(), 2);
        QCOMPARE(form.PopupMenu2->actions().front()->text(), "Print");
        QAction* item = form.PopupMenu2->actions().back();
        QCOMPARE(item->text(), "Podrobnosti antény…");

        const QPoint onCan = form.Image1->mapTo(&form, QPoint(100, 100));
        QTest::mouseClick(form.windowHandle(), Qt::RightButton, {}, onCan);
        QTRY_VERIFY(form.PopupMenu2->isVisible());
        QTest::mouseClick(form.PopupMenu2, Qt::LeftButton, {},
                          form.PopupMenu2->actionGeometry(item).center());

        auto* window = form.findChild<DetailsWindow*>();
        QVERIFY(window);
        QTRY_VERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        auto* modes = window->findChild<QTableWidget*>("modes");
        QTRY_COMPARE(column(modes, 0, 3), (QStringList{"TE11", "TM01", "TE21"}));
        QCOMPARE(column(modes, 3, 3), (QStringList{"ano", "ne", "ne"}));
        QCOMPARE(text(window, "fineLg4"), "61.7 mm");
        QCOMPARE(text(window, "fineR"), "438.6 mm");
        QVERIFY(window->findChild<QLabel*>("warning")->isHidden());
        QVERIFY(text(window, "horn").contains("16.1 dBi"));
        QVERIFY(text(window, "horn").contains("ne o měření"));

        // The main window stays usable: a new frequency, and the details follow.
        form.activateWindow();
        QTest::mouseDClick(form.EditGHz, Qt::LeftButton);
        QTest::keyClick(form.EditGHz, Qt::Key_End);
        QTest::keyClick(form.EditGHz, Qt::Key_Backspace);
        QTest::keyClick(form.EditGHz, Qt::Key_Backspace);
        QTest::keyClick(form.EditGHz, Qt::Key_Backspace);
        QTest::keyClicks(form.EditGHz, "5.8");
        QTest::mouseClick(form.BitBtnCalc, Qt::LeftButton);
        QCOMPARE(form.EditLg4->text(), "14");
        QTRY_VERIFY(!window->findChild<QLabel*>("warning")->isHidden());
        QVERIFY(text(window, "warning").contains("mezi 30.3 a 39.6 mm"));
        QCOMPARE(column(modes, 3, 8).count("ano"), 7);
        QCOMPARE(text(window, "fineLg4"), "13.8 mm");
        QVERIFY(m_boxes.boxes.empty());
        window->close();
    }

    void customBandRedrawsTheChart() {
        FixedLocale locale(",");
        entry::Locale::Replacement localeGuard(locale);
        DetailsWindow window;
        window.showDesign(defaults());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(plotted(&window), 14); // Wi-Fi channels 1-14 first
        QVERIFY(text(&window, "sweepSummary").contains("posouvá o 5,9 mm"));
        QVERIFY(text(&window, "sweepSummary").contains("57,3 mm od dna"));
        QVERIFY(text(&window, "windowText").contains("mezi 72,9 a 92,5 mm"));

        auto* band = window.findChild<QComboBox*>("band");
        auto* from = window.findChild<QDoubleSpinBox*>("from");
        QVERIFY(!from->isEnabled());
        band->setFocus();
        QTest::keyClick(band, Qt::Key_End);
        QCOMPARE(band->currentText(), "Vlastní rozsah");
        QVERIFY(from->isEnabled());
        typeInto(window.findChild<QDoubleSpinBox*>("to"), "2.5");
        typeInto(from, "2");
        typeInto(window.findChild<QDoubleSpinBox*>("step"), "0.1");
        // 2.0 to 2.5 GHz in six steps; 2.0 is below TE11's cut-off in 85 mm (2.069 GHz).
        QCOMPARE(plotted(&window), 5);
        QVERIFY(text(&window, "sweepSummary").contains("nešíří"));

        typeInto(from, "2.6"); // beyond the end: no band
        QCOMPARE(plotted(&window), 0);
        QVERIFY(text(&window, "sweepSummary").startsWith("Rozsah není platný"));

        QTest::keyClick(band, Qt::Key_Home);
        QCOMPARE(plotted(&window), 14);
    }

    void figuresWithoutAFunnelOrACan() {
        FixedLocale locale(",");
        entry::Locale::Replacement localeGuard(locale);
        DetailsWindow window;
        Design design = defaults();
        design.funnelKnown = false;
        window.showDesign(design);
        QCOMPARE(text(&window, "fineLg4"), "61,7 mm");
        QCOMPARE(text(&window, "fineR"), "—");
        design.canKnown = false;
        window.showDesign(design);
        QVERIFY(text(&window, "heading").startsWith("Podrobnosti nejsou k dispozici"));
        QCOMPARE(window.findChild<QTableWidget*>("modes")->rowCount(), 0);
        QCOMPARE(plotted(&window), 0);
    }

    void furtherSectionGoesBelowTheOthers() {
        DetailsWindow window;
        auto* part = new QLabel(QStringLiteral("výsledky"));
        window.addSection(QStringLiteral("Simulace"), part);
        auto* box = qobject_cast<QGroupBox*>(part->parentWidget());
        QVERIFY(box);
        QCOMPARE(box->title(), "Simulace");
        const QList<QGroupBox*> boxes = window.findChildren<QGroupBox*>();
        QCOMPARE(boxes.back(), box);
        QVERIFY(boxes.indexOf(window.findChild<QGroupBox*>("fineGroup")) < boxes.indexOf(box));
    }

    // A design the details cannot handle ends in the error report, not in Qt's frames.
    void faultGoesToTheReporter() {
        DetailsWindow window;
        RecordingFaults faults;
        const auto reported = [&faults] {
            QStringList messages;
            for (const std::string& message : faults.messages)
                messages << QString::fromStdString(message);
            return messages;
        };
        Design design = defaults();
        design.frequency = 1e4900L; // π D / Lo overflows
        window.followDesign(design);
        QTRY_COMPARE(reported(), QStringList{"Floating point overflow"});
        QVERIFY(text(&window, "heading").startsWith("Podrobnosti nejsou k dispozici"));
        QCOMPARE(text(&window, "fineLg4"), "—");
        // Another band for the failed design: nothing to sweep, nothing more to report.
        QTest::keyClick(window.findChild<QComboBox*>("band"), Qt::Key_End);
        QCOMPARE(plotted(&window), 0);
        window.followDesign(defaults());
        QTRY_COMPARE(text(&window, "fineLg4").left(4), "61.7");
        QCOMPARE(reported().size(), 1);
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestDetailsWindow)
#include "tst_detailswindow.moc"
