#include "WindowTestSupport.h"
#include "app/WindowPlacement.h"
#include "details/DetailsWindow.h"

#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include <memory>

using namespace vlnokan;
using namespace vlnokan::test;

// The antenna details open where they cover nothing of the main window.
class TestDetailsPlacement final : public QObject {
    Q_OBJECT

    AnsweredBoxes m_answered;
    BoxRecorder& m_boxes = m_answered.boxes;

private slots:
    void init() { m_answered.init(); }
    void cleanup() { m_answered.cleanup(); }

    // The main window's frame as a desktop with a title bar gives it: 802 × 488 at the top left.
    void besideWhereThereIsRoom_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QRect>("placed");
        const QRect main(0, 0, 802, 488);
        const QSize wanted(650, 790);
        QTest::newRow("1280 x 1024: below, as tall as there is room")
            << QRect(0, 0, 1280, 1024) << main << wanted << QRect(0, 488, 650, 536);
        QTest::newRow("1280 x 1024 less a 40-pixel panel")
            << QRect(0, 0, 1280, 984) << main << wanted << QRect(0, 488, 650, 496);
        QTest::newRow("1920 x 1080: to the right, whole")
            << QRect(0, 0, 1920, 1080) << main << wanted << QRect(802, 0, 650, 790);
        QTest::newRow("1452 wide: the width just fits to the right")
            << QRect(0, 0, 1452, 1024) << main << wanted << QRect(802, 0, 650, 790);
        QTest::newRow("1451 wide: one pixel short, below")
            << QRect(0, 0, 1451, 1024) << main << wanted << QRect(0, 488, 650, 536);
        QTest::newRow("1920 x 700: to the right, cut to the screen")
            << QRect(0, 0, 1920, 700) << main << wanted << QRect(802, 0, 650, 700);
        QTest::newRow("main window moved right: to its left")
            << QRect(0, 0, 1920, 1080) << QRect(1100, 100, 802, 488) << wanted
            << QRect(450, 100, 650, 790);
        QTest::newRow("main window low on the screen: to the right, lifted to fit")
            << QRect(0, 0, 1920, 1080) << QRect(0, 500, 802, 488) << wanted
            << QRect(802, 290, 650, 790);
        QTest::newRow("main window at the bottom of a narrow screen: above")
            << QRect(0, 0, 1280, 1024) << QRect(100, 536, 802, 488) << wanted
            << QRect(100, 0, 650, 536);
        QTest::newRow("1024 x 768: below, shorter")
            << QRect(0, 0, 1024, 768) << main << wanted << QRect(0, 488, 650, 280);
        QTest::newRow("800 x 600: the strip below, however small")
            << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 488) << wanted << QRect(0, 488, 650, 112);
        QTest::newRow("second screen to the right of the first")
            << QRect(1280, 0, 1920, 1080) << QRect(1280, 0, 802, 488) << wanted
            << QRect(2082, 0, 650, 790);
    }
    void besideWhereThereIsRoom() {
        QFETCH(QRect, screen);
        QFETCH(QRect, main);
        QFETCH(QSize, wanted);
        QFETCH(QRect, placed);
        const QRect got = besideWindow(screen, main, wanted, QSize(320, 240));
        QCOMPARE(got, placed);
        QVERIFY(!got.intersects(main));
        QVERIFY(screen.contains(got));
    }

    // The real windows on the screen the test runs with (VLNOKAN_SCREEN: its size, and where
    // the details belong on it).
    void detailsOpenBesideTheMainWindow() {
        auto form = std::make_unique<TForm1>(96);
        m_boxes.setForm(form.get());
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTRY_COMPARE(form->EditLg4->text(), "62");
        QCOMPARE(form->pos(), QPoint(0, 0));
        const QRect screen = form->screen()->availableGeometry();
        const QRect main = form->frameGeometry();

        const QPoint onCan = form->Image1->mapTo(form.get(), QPoint(100, 100));
        QTest::mouseClick(form->windowHandle(), Qt::RightButton, {}, onCan);
        QTRY_VERIFY(form->PopupMenu2->isVisible());
        QTest::mouseClick(form->PopupMenu2, Qt::LeftButton, {},
                          form->PopupMenu2->actionGeometry(form->Details1).center());
        auto* details = form->findChild<DetailsWindow*>();
        QVERIFY(details);
        QTRY_VERIFY(details->isVisible());
        const QRect placed = details->frameGeometry();

        const QStringList expected = qEnvironmentVariable("VLNOKAN_SCREEN").split(' ');
        QCOMPARE(expected.size(), 2);
        QCOMPARE(QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height()), expected[0]);
        if (expected[1] == "below")
            QVERIFY2(placed.top() >= main.bottom() + 1, qPrintable(QDebug::toString(placed)));
        else
            QVERIFY2(placed.left() >= main.right() + 1, qPrintable(QDebug::toString(placed)));
        QVERIFY(!placed.intersects(main));
        QVERIFY(screen.contains(placed));
        for (const QWidget* control :
             {static_cast<QWidget*>(form->EditUsti), static_cast<QWidget*>(form->BitBtnCalc)}) {
            const QRect global(control->mapToGlobal(QPoint(0, 0)), control->size());
            QVERIFY(!placed.intersects(global));
        }
        // Closed and opened again from the warning-free menu: the same place.
        details->close();
        QTRY_VERIFY(!details->isVisible());
        form->Details1Click();
        QTRY_VERIFY(details->isVisible());
        QCOMPARE(details->frameGeometry(), placed);
        details->close();
        QVERIFY(m_boxes.boxes.empty());
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestDetailsPlacement)
#include "tst_detailsplacement.moc"
