#include "WindowTestSupport.h"
#include "widgets/JvHotLink.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>

#include <memory>

using namespace vlnokan;
using namespace vlnokan::test;

class TestWindowLayout final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> m_form;
    ModalWatchdog m_watchdog;

private slots:
    void initTestCase() { m_form = std::make_unique<TForm1>(96); }
    void cleanupTestCase() { m_form.reset(); }
    void cleanup() { QCOMPARE(m_watchdog.unexpected(), QStringList()); }

    void controlsStandAtTheirPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("takesFocus");
        const struct {
            const char* name;
            QRect geometry;
            const char* text;
            bool focus;
        } rows[] = {
            {"Image1", {16, 64, 457, 225}, "", false},
            {"Image2", {472, 48, 305, 257}, "", false},
            {"StaticTextGHz", {58, 330, 14, 18}, "f=", false},
            {"StaticTextD", {286, 330, 20, 18}, "mm", false},
            {"StaticText3", {214, 330, 17, 18}, "D=", false},
            {"StaticText4", {134, 330, 25, 18}, "GHz", false},
            {"StaticText1", {50, 362, 16, 18}, "Lo", false},
            {"StaticText2", {286, 362, 20, 18}, "mm", false},
            {"StaticText5", {206, 362, 25, 18}, "Lo/4", false},
            {"StaticText6", {134, 362, 20, 18}, "mm", false},
            {"StaticText7", {50, 394, 16, 18}, "Lg", false},
            {"StaticText8", {286, 394, 20, 18}, "mm", false},
            {"StaticText9", {206, 394, 25, 18}, "Lg/4", false},
            {"StaticText10", {134, 394, 20, 18}, "mm", false},
            {"EditLo", {80, 360, 42, 22}, "125", true},
            {"EditLg", {80, 392, 42, 22}, "184", true},
            {"EditLo4", {240, 360, 42, 22}, "31", true},
            {"EditLg4", {240, 392, 42, 22}, "46", true},
            {"BitBtnCalc", {584, 424, 75, 25}, "Výpočet", true},
            {"StaticText11",
             {24, 296, 427, 20},
             "Ověřená délka zářiče pro 2.4 Ghz d/L = 1.4/30; 2/28; 3/26 mm",
             false},
            {"StaticText12", {56, 8, 313, 28}, "Výpočet antény Vlnokan", false},
            {"StaticText13", {482, 394, 33, 18}, "Alfa =", false},
            {"StaticText14", {574, 394, 37, 18}, "stupňů", false},
            {"StaticText15", {726, 394, 20, 18}, "mm", false},
            {"StaticText16", {646, 394, 26, 18}, "Du =", false},
            {"StaticText17", {544, 8, 154, 28}, "Rozvin trychtýře", false},
            {"StaticText18", {416, 328, 96, 20}, "Bližší info na ", false},
            {"EditD", {240, 328, 42, 22}, "85", true},
            {"EditGHz", {80, 328, 42, 22}, "2,4", true},
            {"EditAlfa", {520, 392, 42, 22}, "40", true},
            {"EditUsti", {672, 392, 42, 22}, "300", true},
            {"StaticText19", {510, 370, 71, 18}, "úhel trychtýře", false},
            {"StaticText20", {646, 370, 105, 18}, "průměr ústí trychtýře", false},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.geometry
                                    << QString::fromUtf8(row.text) << row.focus;
    }
    void controlsStandAtTheirPlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(bool, takesFocus);
        auto* control = m_form->client()->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->focusPolicy() != Qt::NoFocus, takesFocus);
        if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), text);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            QCOMPARE(edit->text(), text);
            QCOMPARE(edit->isReadOnly(), name == "EditLo" || name == "EditLg" ||
                                             name == "EditLo4" || name == "EditLg4");
        }
        if (auto* button = qobject_cast<QPushButton*>(control))
            QCOMPARE(button->text(), text);
        // Only the pictures have a hint.
        QCOMPARE(control->toolTip(),
                 name.startsWith("Image") ? QString("Print = pr. tl. myši") : QString());
    }

    void fontsAndColours_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pixelHeight");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("colour");
        const QColor plain = m_form->palette().color(QPalette::WindowText);
        QTest::newRow("window font on a plain label") << "StaticText1" << 11 << false << plain;
        QTest::newRow("red tested lengths") << "StaticText11" << 13 << true << QColor(Qt::red);
        QTest::newRow("blue can heading") << "StaticText12" << 19 << true << QColor(Qt::blue);
        QTest::newRow("blue funnel heading") << "StaticText17" << 19 << true << QColor(Qt::blue);
        QTest::newRow("red more-info label") << "StaticText18" << 13 << true << QColor(Qt::red);
        QTest::newRow("angle caption") << "StaticText19" << 11 << false << plain;
        QTest::newRow("calculate button")
            << "BitBtnCalc" << 11 << false
            << m_form->BitBtnCalc->palette().color(QPalette::WindowText);
    }
    void fontsAndColours() {
        QFETCH(QString, name);
        QFETCH(int, pixelHeight);
        QFETCH(bool, bold);
        QFETCH(QColor, colour);
        auto* control = m_form->client()->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->font().pixelSize(), pixelHeight);
        QCOMPARE(control->font().bold(), bold);
        QCOMPARE(control->palette().color(QPalette::WindowText), colour);
    }

    void windowCaptionAndSize() {
        QCOMPARE(m_form->windowTitle(), "Vlnokan");
        QCOMPARE(m_form->size(), QSize(794, 461));
        QCOMPARE(m_form->pixelsPerInch(), 96);
        QCOMPARE(m_form->layoutScale(), 1.0);
    }

    void readOnlyFieldsLookDifferent() {
        QVERIFY(m_form->EditLo->palette().color(QPalette::Base) !=
                m_form->EditD->palette().color(QPalette::Base));
    }

    void focusOrder() {
        const QList<QWidget*> expected{m_form->EditLo,  m_form->EditLg,     m_form->EditLo4,
                                       m_form->EditLg4, m_form->BitBtnCalc, m_form->EditD,
                                       m_form->EditGHz, m_form->EditAlfa,   m_form->EditUsti};
        QList<QWidget*> order;
        QWidget* widget = m_form->EditLo;
        do {
            if (widget->focusPolicy() & Qt::TabFocus && widget->parentWidget() == m_form->client())
                order << widget;
            widget = widget->nextInFocusChain();
        } while (widget != m_form->EditLo);
        QCOMPARE(order, expected);
    }

    void funnelPictureLiesOnTopWhereTheyOverlap() {
        QCOMPARE(m_form->client()->childAt(472, 150), m_form->Image2);
        QCOMPARE(m_form->client()->childAt(471, 150), m_form->Image1);
    }

    void contextMenusPrintTheirPicture_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("items");
        QTest::newRow("can drawing") << "Image1"
                                     << "PopupMenu2"
                                     << "rint1" << 2;
        // Each menu goes on after "Print" with its drawing's own feature: the antenna details,
        // the cutting template.
        QTest::newRow("funnel drawing") << "Image2"
                                        << "PopupMenu1"
                                        << "Print1" << 2;
    }
    void contextMenusPrintTheirPicture() {
        QFETCH(QString, picture);
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(int, items);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        auto* view = m_form->client()->findChild<QWidget*>(picture);
        auto* popup = m_form->findChild<QMenu*>(menu);
        QVERIFY(view && popup);
        QCOMPARE(popup->actions().size(), items);
        QCOMPARE(popup->actions().front()->objectName(), item);
        QCOMPARE(popup->actions().front()->text(), "Print");
        emit view->customContextMenuRequested(QPoint(20, 20));
        QTRY_VERIFY(popup->isVisible());
        popup->hide();
        m_form->hide();
    }

    void hintsAppearAfterHalfASecondForTwoAndAHalf() {
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);
        QCOMPARE(m_form->Image1->toolTipDuration(), 2500);
        QCOMPARE(m_form->Image2->toolTipDuration(), 2500);
    }

    void linkLabelsOpenTheirPages_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("topLeft");
        QTest::addColumn<QString>("url");
        QTest::newRow("horn antenna")
            << "JvHotLink1" << QPoint(520, 320) << "https://en.wikipedia.org/wiki/Horn_antenna";
        QTest::newRow("can antenna")
            << "JvHotLink2" << QPoint(520, 336) << "https://en.wikipedia.org/wiki/Cantenna";
    }
    void linkLabelsOpenTheirPages() {
        QFETCH(QString, name);
        QFETCH(QPoint, topLeft);
        QFETCH(QString, url);
        auto* link = m_form->client()->findChild<TJvHotLink*>(name);
        QVERIFY(link);
        QCOMPARE(link->geometry().topLeft(), topLeft);
        QCOMPARE(link->Url(), url);
        QCOMPARE(link->text(), url);
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(link->focusPolicy(), Qt::NoFocus);
    }

    void picturesHoldTheirDrawings() {
        QCOMPARE(toQSize(m_form->Image1->diagram().size()), QSize(454, 222));
        QCOMPARE(toQSize(m_form->Image2->diagram().size()), QSize(299, 257));
        QCOMPARE(m_form->Image1->diagram().screenDpi(), 96);
    }

    void finerScreenScalesControlsButNotPictures() {
        TForm1 fine(192);
        QVERIFY(fine.layoutScale() > 1.7);
        QCOMPARE(fine.pixelsPerInch(), 192);
        const double scale = fine.layoutScale();
        QCOMPARE(fine.EditD->geometry().topLeft(),
                 QPoint(qRound(240 * scale), qRound(328 * scale)));
        QCOMPARE(fine.Image2->size(), QSize(305, 257));
        QCOMPARE(fine.Image2->diagram().screenDpi(), 192);
        QCOMPARE(fine.size(), QSize(794, 461));
        // The enlarged controls do not fit the window: its client area scrolls.
        QVERIFY(fine.client()->width() > 794);
        QVERIFY(fine.client()->height() > 461);
        QVERIFY(fine.BitBtnCalc->font().pixelSize() >= 20);
        QCOMPARE(fine.JvHotLink1->font().pixelSize(), qRound(11 * scale));
    }
};

VLNOKAN_WINDOW_TEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
