#include "widgets/JvLabel.h"

#include "Pointer.h"

#include <QAction>
#include <QCommonStyle>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QtMath>

#include <memory>

using namespace vlnokan;
using vlnokan::test::pointerEnters;
using vlnokan::test::pointerLeaves;

Q_DECLARE_METATYPE(vlnokan::LabelFont)

namespace {

// The height of one line of font, rounded up to whole pixels.
int lineHeight(const QFont& font) {
    return qCeil(QFontMetricsF(font).height());
}

LabelFont ownFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    return {font, QColor(Qt::black)};
}

LabelFont hotFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    font.setUnderline(true);
    return {font, QColor(0, 0, 255)};
}

// Every notification the label raised, in order.
struct Notifications {
    QStringList seen;
    void attach(TJvLabel& label) {
        label.setOnMouseEnter([this](QObject*) { seen << "enter"; });
        label.setOnMouseLeave([this](QObject*) { seen << "leave"; });
        label.setOnCtl3DChanged([this](QObject*) { seen << "3d"; });
        label.setOnParentColorChange([this](QObject*) { seen << "parent colour"; });
        label.setOnClick([this](QObject*) { seen << "click"; });
    }
};

} // namespace

class TstJvLabel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newLabel();
    void fitsItsCaption_data();
    void fitsItsCaption();
    void pointerOverAndAway_data();
    void pointerOverAndAway();
    void twoEntersSaveOnce();
    void hintColourReachesShowingHint();
    void designingIgnoresPointer();
    void hotTrackFontIsCopied();
    void clicks_data();
    void clicks();
    void surroundingsChange();

private:
    std::unique_ptr<QWidget> m_window;
    TJvLabel* m_label = nullptr;
    QPalette m_tooltipPalette;
};

void TstJvLabel::init() {
    m_tooltipPalette = QToolTip::palette();
    m_window = std::make_unique<QWidget>();
    m_window->resize(400, 200);
    m_label = new TJvLabel(m_window.get());
    m_label->move(40, 30);
    m_label->setLabelFont(ownFont());
    m_label->setHotTrackFont(hotFont());
    m_label->setCaption(QStringLiteral("http://example.org/trychtyr"));
}

void TstJvLabel::cleanup() {
    m_window.reset();
    QToolTip::hideText();
    QToolTip::setPalette(m_tooltipPalette);
}

void TstJvLabel::newLabel() {
    TJvLabel label;
    QCOMPARE(label.size(), QSize(65, 17));
    QVERIFY(label.AutoSize());
    QVERIFY(!label.HotTrack());
    QVERIFY(!label.Hovering());
    QCOMPARE(label.HintColor(), TJvLabel::systemHintColor());
    // With the default, the hints look the same whether the pointer is over the label or not.
    QCOMPARE(label.HintColor(), TJvLabel::applicationHintColor());
    QCOMPARE(label.SavedHintColor(), QColor::fromRgb(0));
    QCOMPARE(label.focusPolicy(), Qt::NoFocus);
    QVERIFY(!label.autoFillBackground());
    QCOMPARE(label.HotTrackFont().font, QApplication::font());
}

void TstJvLabel::fitsItsCaption_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("address") << "https://en.wikipedia.org/wiki/Cantenna" << 11;
    QTest::newRow("address, larger font") << "https://en.wikipedia.org/wiki/Cantenna" << 20;
    QTest::newRow("Czech letters") << "průměr ústí trychtýře" << 11;
    QTest::newRow("tab expanded") << "a\tb" << 11;
    QTest::newRow("empty keeps a line") << "" << 11;
}

void TstJvLabel::fitsItsCaption() {
    QFETCH(QString, caption);
    QFETCH(int, pixelSize);
    LabelFont own = ownFont();
    own.font.setPixelSize(pixelSize);
    m_label->setLabelFont(own);
    m_label->setCaption(caption);

    const QFontMetrics metrics(own.font);
    QCOMPARE(m_label->pos(), QPoint(40, 30));
    QCOMPARE(m_label->height(), lineHeight(own.font));
    if (caption.isEmpty())
        QVERIFY(m_label->width() > 0);
    else if (caption.contains('\t'))
        QVERIFY(m_label->width() >
                metrics.horizontalAdvance("ab") + metrics.horizontalAdvance(' '));
    else {
        // The caption's advance, plus at most the overhang of its last letter.
        const int advance = qCeil(QFontMetricsF(own.font).horizontalAdvance(caption));
        QVERIFY2(m_label->width() >= advance && m_label->width() <= advance + 2,
                 qPrintable(QString("width %1, advance %2").arg(m_label->width()).arg(advance)));
    }

    // Without auto size the label keeps whatever size it was given.
    m_label->setAutoSize(false);
    m_label->resize(65, 17);
    m_label->setCaption(caption + caption);
    QCOMPARE(m_label->size(), QSize(65, 17));
}

void TstJvLabel::pointerOverAndAway_data() {
    QTest::addColumn<bool>("hotTrack");
    QTest::addColumn<QColor>("hintColour");
    QTest::newRow("hot tracking") << true << QColor(255, 0, 0);
    QTest::newRow("hint colour only") << false << QColor(0, 255, 0);
    QTest::newRow("hot tracking, default hint colour") << true << TJvLabel::systemHintColor();
}

void TstJvLabel::pointerOverAndAway() {
    QFETCH(bool, hotTrack);
    QFETCH(QColor, hintColour);
    Notifications notifications;
    notifications.attach(*m_label);
    m_label->setHotTrack(hotTrack);
    m_label->setHintColor(hintColour);
    const QColor applicationColour(10, 20, 30);
    TJvLabel::setApplicationHintColor(applicationColour);
    const QSize ownSize = m_label->size();

    pointerEnters(*m_label);
    QVERIFY(m_label->Hovering());
    QCOMPARE(TJvLabel::applicationHintColor(), hintColour);
    QCOMPARE(m_label->SavedHintColor(), applicationColour);
    const LabelFont expected = hotTrack ? hotFont() : ownFont();
    QCOMPARE(m_label->labelFont(), expected);
    QCOMPARE(m_label->size().height(), lineHeight(expected.font));
    QCOMPARE(m_label->size() != ownSize, hotTrack);
    QCOMPARE(m_label->pos(), QPoint(40, 30));

    pointerLeaves(*m_label);
    QVERIFY(!m_label->Hovering());
    QCOMPARE(TJvLabel::applicationHintColor(), applicationColour);
    QCOMPARE(m_label->labelFont(), ownFont());
    QCOMPARE(m_label->size(), ownSize);

    // A leave while not hovering changes nothing but is still told.
    pointerLeaves(*m_label);
    QCOMPARE(m_label->labelFont(), ownFont());
    QCOMPARE(TJvLabel::applicationHintColor(), applicationColour);
    QCOMPARE(notifications.seen, QStringList({"enter", "leave", "leave"}));
}

void TstJvLabel::twoEntersSaveOnce() {
    Notifications notifications;
    notifications.attach(*m_label);
    m_label->setHotTrack(true);
    m_label->setHintColor(Qt::yellow);
    const QColor applicationColour(1, 2, 3);
    TJvLabel::setApplicationHintColor(applicationColour);

    pointerEnters(*m_label);
    pointerEnters(*m_label);
    QCOMPARE(m_label->SavedFont(), ownFont());
    QCOMPARE(m_label->SavedHintColor(), applicationColour);
    pointerLeaves(*m_label);
    QCOMPARE(m_label->labelFont(), ownFont());
    QCOMPARE(TJvLabel::applicationHintColor(), applicationColour);
    QCOMPARE(notifications.seen, QStringList({"enter", "enter", "leave"}));
}

void TstJvLabel::hintColourReachesShowingHint() {
    m_window->show();
    QToolTip::showText(m_window->mapToGlobal(QPoint(5, 5)), QStringLiteral("Print"),
                       m_window.get());
    QWidget* hint = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel") && widget->isVisible())
            hint = widget;
    if (!hint)
        QSKIP("This platform shows no hint window");
    m_label->setHintColor(QColor(200, 10, 10));
    pointerEnters(*m_label);
    QCOMPARE(hint->palette().color(QPalette::ToolTipBase), QColor(200, 10, 10));
    pointerLeaves(*m_label);
    QCOMPARE(hint->palette().color(QPalette::ToolTipBase),
             m_tooltipPalette.color(QPalette::ToolTipBase));
}

void TstJvLabel::designingIgnoresPointer() {
    Notifications notifications;
    notifications.attach(*m_label);
    m_label->setHotTrack(true);
    m_label->setHintColor(Qt::red);
    const QColor before = TJvLabel::applicationHintColor();
    m_label->setDesigning(true);
    pointerEnters(*m_label);
    QVERIFY(!m_label->Hovering());
    QCOMPARE(m_label->labelFont(), ownFont());
    QCOMPARE(TJvLabel::applicationHintColor(), before);
    pointerLeaves(*m_label);
    QVERIFY(notifications.seen.isEmpty());
}

void TstJvLabel::hotTrackFontIsCopied() {
    LabelFont mine = hotFont();
    m_label->setHotTrackFont(mine);
    mine.font.setPixelSize(40);
    mine.colour = Qt::green;
    QCOMPARE(m_label->HotTrackFont(), hotFont());

    // Changing the hot font while hot leaves the shown font alone until the next enter.
    m_label->setHotTrack(true);
    pointerEnters(*m_label);
    m_label->setHotTrackFont(mine);
    QCOMPARE(m_label->labelFont(), hotFont());
    pointerLeaves(*m_label);
    pointerEnters(*m_label);
    QCOMPARE(m_label->labelFont(), mine);
}

void TstJvLabel::clicks_data() {
    QTest::addColumn<bool>("withHandler");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("handlerCalls");
    QTest::addColumn<int>("actionCalls");
    QTest::newRow("handler, release on the label")
        << true << QPoint(2, 2) << Qt::LeftButton << 1 << 0;
    QTest::newRow("action, release on the label")
        << false << QPoint(2, 2) << Qt::LeftButton << 0 << 1;
    QTest::newRow("release left of the label") << true << QPoint(-3, 2) << Qt::LeftButton << 0 << 0;
    QTest::newRow("release below the label") << false << QPoint(2, 200) << Qt::LeftButton << 0 << 0;
    QTest::newRow("right button") << true << QPoint(2, 2) << Qt::RightButton << 0 << 0;
}

void TstJvLabel::clicks() {
    QFETCH(bool, withHandler);
    QFETCH(QPoint, releaseAt);
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, handlerCalls);
    QFETCH(int, actionCalls);
    int handled = 0;
    if (withHandler)
        m_label->setOnClick([&handled](QObject*) { ++handled; });
    QAction action;
    QSignalSpy triggered(&action, &QAction::triggered);
    m_label->setAction(&action);

    QTest::mousePress(m_label, button, {}, QPoint(2, 2));
    QTest::mouseRelease(m_label, button, {}, releaseAt);
    QCOMPARE(handled, handlerCalls);
    QCOMPARE(triggered.count(), actionCalls);

    // A release without a press on the label is no click.
    QTest::mouseRelease(m_label, button, {}, QPoint(2, 2));
    QCOMPARE(handled, handlerCalls);
    QCOMPARE(triggered.count(), actionCalls);
}

void TstJvLabel::surroundingsChange() {
    Notifications notifications;
    notifications.attach(*m_label);
    m_label->setHotTrack(true);
    pointerEnters(*m_label);
    pointerLeaves(*m_label);
    QCOMPARE(notifications.seen, QStringList({"enter", "leave"}));

    QPalette colours = m_window->palette();
    colours.setColor(QPalette::Window, Qt::darkCyan);
    m_window->setPalette(colours);
    QVERIFY(notifications.seen.contains("parent colour"));
    QCOMPARE(m_label->palette().color(QPalette::Window), QColor(Qt::darkCyan));

    QCommonStyle style;
    m_label->setStyle(&style);
    QVERIFY(notifications.seen.contains("3d"));
    m_label->setStyle(nullptr);
}

QTEST_MAIN(TstJvLabel)
#include "tst_jvlabel.moc"
