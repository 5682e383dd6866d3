#include "WindowTestSupport.h"
#include "details/DetailsWindow.h"

#include <QLabel>
#include <QPushButton>

#include <memory>

using namespace vlnokan;
using namespace vlnokan::test;

namespace {

// Replaces an entry's text as a user does: to the end, erase, type.
void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    for (qsizetype i = edit->text().size(); i > 0; --i)
        QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

QLabel* warningOf(const TForm1& form) {
    return form.client()->findChild<QLabel*>(QStringLiteral("WidthWarning"));
}

const QString warningStart = QStringLiteral("Plechovka je pro tento kmitočet příliš široká, "
                                            "šíří se v ní i vyšší vidy; použijte plechovku o "
                                            "průměru mezi ");

} // namespace

// The main window says in red when the can is too wide for its frequency, and only then.
class TestWidthWarning final : public QObject {
    Q_OBJECT

    AnsweredBoxes m_answered;
    BoxRecorder& m_boxes = m_answered.boxes;
    std::unique_ptr<FixedLocale> m_locale = std::make_unique<FixedLocale>(",");
    std::unique_ptr<entry::Locale::Replacement> m_localeGuard;

    // A started window: shown, activated, its first calculation done.
    std::unique_ptr<TForm1> start() {
        auto form = std::make_unique<TForm1>(96);
        m_boxes.setForm(form.get());
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()) ||
            !QTest::qWaitFor([&] { return form->EditLg->text() == "247"; }, 2000))
            return nullptr;
        return form;
    }

    void calculate(TForm1& form, const QString& frequency, const QString& diameter) {
        retype(form.EditGHz, frequency);
        retype(form.EditD, diameter);
        QTest::mouseClick(form.BitBtnCalc, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase() { m_localeGuard = std::make_unique<entry::Locale::Replacement>(*m_locale); }
    void cleanupTestCase() { m_localeGuard.reset(); }
    void init() { m_answered.init(); }
    void cleanup() { m_answered.cleanup(); }

    // The single-mode window is Lo / 1.706 < D < Lo / 1.306 (TE11 passes, TM01 not).
    void warningFollowsTheCan_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("diameter");
        QTest::addColumn<QString>("range"); // empty: no warning
        QTest::newRow("defaults") << "2,4"
                                  << "85"
                                  << "";
        QTest::newRow("95 mm at 2.4 GHz: widest with TE11 alone") << "2,4"
                                                                  << "95"
                                                                  << "";
        QTest::newRow("96 mm at 2.4 GHz: TM01 passes") << "2,4"
                                                       << "96"
                                                       << "73,3 a 95,7";
        QTest::newRow("130 mm cut to 125") << "2,4"
                                           << "130"
                                           << "73,3 a 95,7";
        QTest::newRow("85 mm at 5.8 GHz: seven modes") << "5,8"
                                                       << "85"
                                                       << "30,3 a 39,6";
        QTest::newRow("35 mm at 5.8 GHz") << "5,8"
                                          << "35"
                                          << "";
        QTest::newRow("too narrow, widened") << "1"
                                             << "85"
                                             << "";
        QTest::newRow("fault before the can is known") << "x"
                                                       << "85"
                                                       << "";
    }
    void warningFollowsTheCan() {
        QFETCH(QString, frequency);
        QFETCH(QString, diameter);
        QFETCH(QString, range);
        auto form = start();
        QVERIFY(form);
        QLabel* warning = warningOf(*form);
        QVERIFY(warning);
        QVERIFY(warning->isHidden());
        // Away from a too wide can first, so each row shows the warning go or stay.
        calculate(*form, "5,8", "85");
        QVERIFY(warning->isVisible());
        m_boxes.boxes.clear();
        calculate(*form, frequency, diameter);
        QCOMPARE(warning->isVisible(), !range.isEmpty());
        if (!range.isEmpty())
            QCOMPARE(warning->text(), warningStart + range + " mm.");
    }

    void warningIsRedAndStandsInFreeSpace() {
        auto form = start();
        QVERIFY(form);
        const QImage before = form->grab().toImage();
        calculate(*form, "5,8", "85");
        QLabel* warning = warningOf(*form);
        QVERIFY(warning->isVisible());
        QCOMPARE(warning->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(warning->font().bold());
        // The whole text fits its place.
        QVERIFY(warning->heightForWidth(warning->width()) <= warning->height());
        for (const QWidget* control :
             form->client()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (control != warning)
                QVERIFY2(!control->geometry().intersects(warning->geometry()),
                         qPrintable(control->objectName()));
        // The figures change; below the drawings, only the warning's place and the fields do.
        const QImage after = form->grab().toImage();
        QRegion changed;
        for (QLineEdit* field :
             {form->EditLo, form->EditLg, form->EditLo4, form->EditLg4, form->EditGHz, form->EditD})
            changed += field->geometry();
        changed += warning->geometry();
        const int top = form->Image2->geometry().bottom() + 1;
        for (int y = top; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (!changed.contains(QPoint(x, y)) && before.pixel(x, y) != after.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 changed").arg(x).arg(y)));
        // Back to a can that carries TE11 alone: the window is as before, pixel for pixel.
        calculate(*form, "2,4", "85");
        QVERIFY(warning->isHidden());
        QCOMPARE(form->grab().toImage(), before);
    }

    void clickOnTheWarningOpensTheDetails_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("opens");
        QTest::newRow("left click") << int(Qt::LeftButton) << true;
        QTest::newRow("right click") << int(Qt::RightButton) << false;
    }
    void clickOnTheWarningOpensTheDetails() {
        QFETCH(int, button);
        QFETCH(bool, opens);
        auto form = start();
        QVERIFY(form);
        calculate(*form, "5,8", "85");
        QLabel* warning = warningOf(*form);
        QVERIFY(warning->isVisible());
        QTest::mouseClick(warning, Qt::MouseButton(button), {}, QPoint(20, 6));
        auto* details = form->findChild<DetailsWindow*>();
        if (!opens) {
            QVERIFY(!details || details->isHidden());
            return;
        }
        QVERIFY(details);
        QTRY_VERIFY(details->isVisible());
        QTRY_VERIFY(details->findChild<QLabel*>("warning")->isVisible());
        QVERIFY(details->findChild<QLabel*>("warning")->text().contains("30,3 a 39,6 mm"));
        QVERIFY(m_boxes.boxes.empty());
        details->close();
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestWidthWarning)
#include "tst_widthwarning.moc"
