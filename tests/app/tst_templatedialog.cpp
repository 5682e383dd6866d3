#include "tests/app/WindowTestSupport.h"
#include "tests/support/RecordingFaults.h"
#include "tests/template/TemplateTestSupport.h"

#include "template/FileChooser.h"
#include "template/TemplateDialog.h"
#include "template/TemplatePrinter.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

#include <memory>

using namespace vlnokan;
using namespace vlnokan::test;

namespace {

// Answers the save dialog with a fixed name and counts the questions.
class FixedChooser final : public templ::FileChooser {
public:
    QString answer;
    int asked = 0;
    QString saveFileName(QWidget*, const QString&, const QString&) override {
        ++asked;
        return answer;
    }
};

// A printer on its own paper; keeps the media box of the PDF it is sent.
class PaperPrinter final : public templ::TemplatePrintSystem {
public:
    QString name;
    pattern::Paper paper;
    double margin = 0;
    QByteArray mediaBox;
    int jobs = 0;
    QString defaultPrinter() override { return name; }
    std::optional<templ::PrinterPaper> paperOf(const QString&) override {
        return templ::PrinterPaper{paper, margin};
    }
    QString send(const QString&, const QString& pdfPath, const QString&) override {
        ++jobs;
        QFile file(pdfPath);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray pdf = file.readAll();
            const qsizetype at = pdf.indexOf("/MediaBox [") + 11;
            QByteArrayList rounded;
            for (const QByteArray& number :
                 pdf.mid(at, pdf.indexOf(']', at) - at).simplified().split(' '))
                rounded << QByteArray::number(std::lround(number.toDouble()));
            mediaBox = rounded.join(' ');
        }
        return {};
    }
};

void typeInto(QWidget* box, const QString& text) {
    box->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->selectAll();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(box))
        spin->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

class TestTemplateDialog final : public QObject {
    Q_OBJECT

    ModalWatchdog m_watchdog;
    QTemporaryDir m_dir;

private slots:
    void init() { m_watchdog.clear(); }
    void cleanup() { QCOMPARE(m_watchdog.unexpected(), QStringList()); }

    // Each control changes the preview at once; the sheet count follows.
    void controlsDriveThePreview() {
        test::RecordingFaults faults;
        const std::vector<std::string>& errors = faults.messages;
        templ::TemplateDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!dialog.tiling());
        QVERIFY(!dialog.pdfButton->isEnabled());

        dialog.setDesign(funnelDesign(40, 85, 300));
        QVERIFY(dialog.tiling());
        QCOMPARE(dialog.paperBox->currentText(), "A4");
        const auto a4Sheets = dialog.tiling()->sheets().size();
        QVERIFY(dialog.countLabel->text().startsWith(QString::number(a4Sheets) + " list"));

        dialog.paperBox->setFocus();
        QTest::keyClick(dialog.paperBox, Qt::Key_Down); // A3
        QCOMPARE(dialog.tiling()->options().paper.name, "A3");
        QVERIFY(dialog.tiling()->sheets().size() < a4Sheets);

        typeInto(dialog.piecesBox, "3");
        QCOMPARE(dialog.tiling()->pattern().pieces().size(), 3u);
        typeInto(dialog.seamBox, "0");
        QVERIFY(dialog.tiling()->pattern().foldLines().empty());
        typeInto(dialog.thicknessBox, "2");
        QCOMPARE(dialog.tiling()->pattern().options().thickness, 2.0);
        typeInto(dialog.overlapBox, "25");
        QCOMPARE(dialog.tiling()->options().overlap, 25.0);

        // A strip wider than the inner radius: told in the dialog, nothing to print or save.
        dialog.setDesign(funnelDesign(60, 30, 300));
        typeInto(dialog.seamBox, "40");
        QVERIFY(!dialog.tiling());
        QVERIFY(!dialog.printButton->isEnabled());
        QVERIFY(dialog.countLabel->text().contains("Pás pro spoj"));
        QVERIFY2(errors.empty(), errors.empty() ? "" : errors.front().c_str());
    }

    // "Tisknout" lays the template on the printer's own paper, whatever paper is chosen for the
    // PDF, and the dialog says so before printing.
    void printsOnThePrintersPaper_data() {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<double>("margin");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QByteArray>("mediaBox"); // pt, portrait as in the tray
        QTest::newRow("Letter printer, 6.4 mm border")
            << "kancelar"
            << "Letter" << 6.4 << "Tisk na kancelar: papír Letter, okraj 6.4 mm"
            << QByteArray("0 0 612 792");
        QTest::newRow("A4 printer without a border")
            << "dilna"
            << "A4" << 0.0 << "Tisk na dilna: papír A4, okraj 5 mm" << QByteArray("0 0 595 842");
        QTest::newRow("no printer")
            << ""
            << "A4" << 0.0 << "Tisk: There is no default printer currently selected"
            << QByteArray();
    }
    void printsOnThePrintersPaper() {
        QFETCH(QString, printer);
        QFETCH(QString, paper);
        QFETCH(double, margin);
        QFETCH(QString, told);
        QFETCH(QByteArray, mediaBox);
        test::RecordingFaults faults;
        PaperPrinter queue;
        queue.name = printer;
        queue.paper = *pattern::paperNamed(paper.toStdString());
        queue.margin = margin;
        const templ::TemplatePrintSeam::Replacement guard(queue);
        templ::TemplateDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.setDesign(funnelDesign(40, 85, 300));
        dialog.paperBox->setFocus();
        QTest::keyClick(dialog.paperBox, Qt::Key_Down); // A3 for the PDF
        QCOMPARE(dialog.tiling()->options().paper.name, "A3");
        QVERIFY2(dialog.printLabel->text().startsWith(told), qPrintable(dialog.printLabel->text()));
        QTest::mouseClick(dialog.printButton, Qt::LeftButton);
        QCOMPARE(queue.jobs, printer.isEmpty() ? 0 : 1);
        QCOMPARE(queue.mediaBox, mediaBox);
        QCOMPARE(faults.messages.size(), printer.isEmpty() ? 1u : 0u);
    }

    void saveButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("written");
        QTest::newRow("PDF") << "pdf"
                             << "a.pdf"
                             << "a.pdf";
        QTest::newRow("SVG without extension") << "svg"
                                               << "b"
                                               << "b.svg";
        QTest::newRow("DXF") << "dxf"
                             << "c.dxf"
                             << "c.dxf";
        QTest::newRow("cancelled") << "pdf"
                                   << ""
                                   << "";
    }
    void saveButtons() {
        QFETCH(QString, button);
        QFETCH(QString, answer);
        QFETCH(QString, written);
        FixedChooser chooser;
        chooser.answer = answer.isEmpty() ? QString() : m_dir.filePath(answer);
        templ::FileChooserSeam::Replacement guard(chooser);
        test::RecordingFaults faults;
        const std::vector<std::string>& errors = faults.messages;
        templ::TemplateDialog dialog;
        dialog.setDesign(funnelDesign(40, 85, 300));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QPushButton* pushed = button == "pdf"   ? dialog.pdfButton
                              : button == "svg" ? dialog.svgButton
                                                : dialog.dxfButton;
        QTest::mouseClick(pushed, Qt::LeftButton);
        QCOMPARE(chooser.asked, 1);
        QVERIFY(errors.empty());
        if (!written.isEmpty())
            QVERIFY(QFileInfo(m_dir.filePath(written)).size() > 100);
    }

    // A file that cannot be written goes to the error handler; nothing escapes into Qt.
    void unwritableFileIsReported() {
        FixedChooser chooser;
        chooser.answer = m_dir.filePath("no/such/folder/t.pdf");
        templ::FileChooserSeam::Replacement guard(chooser);
        test::RecordingFaults faults;
        const std::vector<std::string>& errors = faults.messages;
        templ::TemplateDialog dialog;
        dialog.setDesign(funnelDesign(40, 85, 300));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.pdfButton, Qt::LeftButton);
        QCOMPARE(errors.size(), 1u);
        QVERIFY(QString::fromStdString(errors[0]).contains("no/such/folder/t.pdf"));
    }

    // The funnel drawing's menu: "Print" first, then the template, enabled only while the last
    // Calculate developed a complete funnel.
    void windowMenu() {
        BoxRecorder boxes;
        MessageBoxes::Replacement boxGuard(boxes);
        TForm1 form(96);
        boxes.setForm(&form);
        auto* menu = form.findChild<QMenu*>("PopupMenu1");
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions()[0]->text(), "Print");
        QCOMPARE(menu->actions()[1]->text(), QStringLiteral("Šablona 1:1…"));
        QAction* item = menu->actions()[1];
        QVERIFY(!item->isEnabled());
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(QTest::qWaitFor([&] { return item->isEnabled(); }, 5000));

        QMetaObject::invokeMethod(item, &QAction::trigger, Qt::QueuedConnection);
        QVERIFY(QTest::qWaitFor(
            [&] { return form.findChild<templ::TemplateDialog*>("TemplateDialog"); }, 5000));
        auto* dialog = form.findChild<templ::TemplateDialog*>("TemplateDialog");
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QVERIFY(dialog->tiling());
        QCOMPARE(dialog->tiling()->pattern().design(), form.design());

        // A mouth too large ends the Calculate with a fault before the funnel is complete.
        typeInto(form.EditUsti, "100000");
        QTest::mouseClick(form.BitBtnCalc, Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return !boxes.boxes.empty(); }, 5000));
        QVERIFY(!item->isEnabled());
        QVERIFY(!dialog->tiling());
        typeInto(form.EditUsti, "400");
        QTest::mouseClick(form.BitBtnCalc, Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return item->isEnabled(); }, 5000));
        QCOMPARE(dialog->tiling()->pattern().design().mouth, 400);
        dialog->close();
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestTemplateDialog)
#include "tst_templatedialog.moc"
