#include "WindowTestSupport.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <memory>

using namespace vlnokan;
using namespace vlnokan::test;

namespace {

// How the window comes out on a screen of the resolution that QT_FONT_DPI gives (ctest runs this
// program once per resolution).
struct Screen {
    int fontDpi;
    qreal pixelRatio;  // Qt's own stretch of everything
    int pixelsPerInch; // what the window lays itself out for
    bool ownScaling;   // whether the window enlarges its controls itself
};

constexpr Screen screens[] = {
    // 125 %: Qt's ratio rounds down to 1; the window scales its controls and fonts itself.
    {120, 1.0, 120, true},
    // 200 %: Qt doubles everything, the drawings in whole pixel blocks.
    {192, 2.0, 96, false},
};

const Screen* thisScreen() {
    const int dpi = qEnvironmentVariableIntValue("QT_FONT_DPI");
    for (const Screen& screen : screens)
        if (screen.fontDpi == dpi)
            return &screen;
    return nullptr;
}

// The first drawing pixel, of the drawing's own colours, that the window does not show as a solid
// block of ratio × ratio device pixels of that colour.
QString firstBlurredPixel(const Diagram& diagram, const QImage& shown, int ratio) {
    const QImage& pixels = toImage(diagram);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb colour = pixels.pixel(x, y);
            if (colour == toQRgb(diagram.transparentColour()))
                continue;
            for (int dy = 0; dy < ratio; ++dy)
                for (int dx = 0; dx < ratio; ++dx)
                    if (shown.pixel(x * ratio + dx, y * ratio + dy) != colour)
                        return QStringLiteral("(%1, %2)").arg(x).arg(y);
        }
    return {};
}

} // namespace

class TestScreenScaling final : public QObject {
    Q_OBJECT

private:
    BoxRecorder m_boxes;
    ModalWatchdog m_watchdog;
    std::unique_ptr<MessageBoxes::Replacement> m_boxGuard;
    std::unique_ptr<TForm1> m_form;

private slots:
    void initTestCase() {
        if (!thisScreen())
            QSKIP("Run with QT_FONT_DPI set to 120 or 192 (ctest does).");
        m_boxGuard = std::make_unique<MessageBoxes::Replacement>(m_boxes);
        // The window reads the screen's resolution itself, as the program does.
        m_form = std::make_unique<TForm1>();
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QTRY_COMPARE(m_form->EditLg->text(), "247");
    }
    void cleanupTestCase() {
        m_form.reset();
        m_boxGuard.reset();
    }
    void cleanup() {
        QCOMPARE(m_boxes.texts(), QStringList());
        QCOMPARE(m_watchdog.unexpected(), QStringList());
    }

    void qtStretchesOnlyByWholeRatios() {
        const Screen& screen = *thisScreen();
        QCOMPARE(m_form->devicePixelRatioF(), screen.pixelRatio);
        QCOMPARE(m_form->pixelsPerInch(), screen.pixelsPerInch);
        QCOMPARE(m_form->Image1->diagram().screenDpi(), screen.pixelsPerInch);
    }

    // At 125 % the controls and their fonts grow by the window's own text-height ratio while the
    // window keeps its size and its client scrolls; at 200 % the layout is the design's.
    void controlsFollowTheWindowsOwnScaling() {
        const Screen& screen = *thisScreen();
        const double scale = m_form->layoutScale();
        QCOMPARE(scale > 1.1, screen.ownScaling);
        QCOMPARE(m_form->size(), QSize(794, 461));
        QCOMPARE(m_form->EditD->geometry(), QRect(qRound(240 * scale), qRound(328 * scale),
                                                  qRound(42 * scale), qRound(22 * scale)));
        QCOMPARE(m_form->BitBtnCalc->font().pixelSize(), qRound(11 * scale));
        auto* scroll = m_form->findChild<QScrollArea*>();
        QVERIFY(scroll);
        QCOMPARE(scroll->horizontalScrollBar()->maximum() > 0, screen.ownScaling);
        QCOMPARE(scroll->verticalScrollBar()->maximum() > 0, screen.ownScaling);
    }

    // The drawings keep their pixels: each shown as one device pixel, or as a solid 2 × 2 block at
    // 200 %, never smoothed or unevenly stretched.
    void drawingsStayCrisp_data() {
        QTest::addColumn<QString>("picture");
        QTest::newRow("can drawing") << "Image1";
        QTest::newRow("funnel drawing") << "Image2";
    }
    void drawingsStayCrisp() {
        QFETCH(QString, picture);
        const Screen& screen = *thisScreen();
        auto* view = m_form->client()->findChild<DiagramView*>(picture);
        QVERIFY(view);
        QCOMPARE(view->size(), picture == "Image1" ? QSize(457, 225) : QSize(305, 257));
        const int ratio = int(screen.pixelRatio);
        const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), view->size() * ratio);
        QCOMPARE(firstBlurredPixel(view->diagram(), shown, ratio), QString());
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestScreenScaling)
#include "tst_screenscaling.moc"
