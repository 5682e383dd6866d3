#include "widgets/JvHotLink.h"

#include "Pointer.h"
#include "RecordingUrlHandler.h"
#include "fonts/Fonts.h"
#include "widgets/InfoLinks.h"
#include "widgets/OpenTarget.h"

#include <QFontInfo>
#include <QTest>

#include <memory>

using namespace vlnokan;
using vlnokan::test::pointerEnters;
using vlnokan::test::pointerLeaves;
using vlnokan::test::RecordingUrlHandler;

class TstJvHotLink : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newLink();
    void windowLinks_data();
    void windowLinks();
    void mouse_data();
    void mouse();
    void opensUrlNotCaption();
    void desktopAnswer_data();
    void desktopAnswer();

private:
    std::unique_ptr<QWidget> m_window;
    RecordingUrlHandler m_desktop;
    std::unique_ptr<UrlHandlers::Replacement> m_replacement;
};

void TstJvHotLink::init() {
    m_desktop = RecordingUrlHandler();
    m_replacement = std::make_unique<UrlHandlers::Replacement>(m_desktop);
    m_window = std::make_unique<QWidget>();
    m_window->resize(800, 450);
}

void TstJvHotLink::cleanup() {
    m_window.reset();
    m_replacement.reset();
}

void TstJvHotLink::newLink() {
    TJvHotLink link;
    QCOMPARE(link.cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(link.HotTrack());
    QCOMPARE(link.HotTrackFont().colour, QColor(0, 0, 255));
    QVERIFY(link.HotTrackFont().font.underline());
    QVERIFY(!link.HotTrackFont().font.bold());
    QVERIFY(!link.HotTrackFont().font.italic());
    QVERIFY(!link.HotTrackFont().font.strikeOut());
    QVERIFY(link.Url().startsWith("https://"));
    QCOMPARE(link.focusPolicy(), Qt::NoFocus);
}

void TstJvHotLink::windowLinks_data() {
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<QString>("url");
    QTest::newRow("funnel (horn) antennas")
        << QPoint(520, 320) << "https://en.wikipedia.org/wiki/Horn_antenna";
    QTest::newRow("can antenna") << QPoint(520, 336) << "https://en.wikipedia.org/wiki/Cantenna";
}

void TstJvHotLink::windowLinks() {
    QFETCH(QPoint, place);
    QFETCH(QString, url);
    TJvHotLink* link = makeInfoLink(m_window.get(), QStringLiteral("JvHotLink"), place, url);
    m_window->show();
    QCOMPARE(link->Caption(), url);
    QCOMPARE(link->Url(), url);
    QCOMPARE(link->pos(), place);
    const QColor windowText = m_window->palette().color(QPalette::WindowText);
    const QSize ownSize = link->size();
    // Both lines fit beside each other under the funnel drawing, one line high.
    QVERIFY(link->geometry().right() < 786);
    QVERIFY(ownSize.height() >= 12 && ownSize.height() <= 14);

    const auto checkOwnLook = [&] {
        QCOMPARE(QFontInfo(link->font()).family(), FreeFonts::familyFor(Face::Arial));
        QCOMPARE(link->font().pixelSize(), 11);
        QVERIFY(!link->font().underline());
        QCOMPARE(link->palette().color(QPalette::WindowText), windowText);
        QCOMPARE(link->size(), ownSize);
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    };
    checkOwnLook();

    pointerEnters(*link);
    QCOMPARE(QFontInfo(link->font()).family(), FreeFonts::familyFor(Face::MsSansSerif));
    QCOMPARE(link->font().pixelSize(), 11);
    QVERIFY(link->font().underline());
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(link->size(), link->captionSize());
    QCOMPARE(link->pos(), place);
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

    pointerLeaves(*link);
    checkOwnLook();
    QVERIFY(m_desktop.opened.isEmpty());
}

void TstJvHotLink::mouse_data() {
    // Each step: "press", "release", "double" (the second press of a double click), with the
    // place in the label's coordinates.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<QPoint>>("places");
    QTest::addColumn<int>("opened");
    const QPoint on(3, 3);
    QTest::newRow("click") << QStringList{"press", "release"} << QList<QPoint>{on, on} << 1;
    QTest::newRow("double click opens once") << QStringList{"press", "release", "double", "release"}
                                             << QList<QPoint>{on, on, on, on} << 1;
    QTest::newRow("release outside")
        << QStringList{"press", "release"} << QList<QPoint>{on, QPoint(-20, 3)} << 0;
    QTest::newRow("release right of the label")
        << QStringList{"press", "release"} << QList<QPoint>{on, QPoint(400, 3)} << 0;
    QTest::newRow("release without press") << QStringList{"release"} << QList<QPoint>{on} << 0;
    QTest::newRow("two clicks") << QStringList{"press", "release", "press", "release"}
                                << QList<QPoint>{on, on, on, on} << 2;
}

void TstJvHotLink::mouse() {
    QFETCH(QStringList, steps);
    QFETCH(QList<QPoint>, places);
    QFETCH(int, opened);
    TJvHotLink* link = makeInfoLink(m_window.get(), QStringLiteral("JvHotLink2"),
                                    infolinks::cantennaPlace, infolinks::cantennaUrl);
    m_window->show();
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QPoint place = places[i];
        if (steps[i] == "press")
            QTest::mousePress(link, Qt::LeftButton, {}, place);
        else if (steps[i] == "double")
            QTest::mouseDClick(link, Qt::LeftButton, {}, place);
        else
            QTest::mouseRelease(link, Qt::LeftButton, {}, place);
    }
    QCOMPARE(m_desktop.opened.size(), opened);
    for (const QString& target : m_desktop.opened)
        QCOMPARE(target, infolinks::cantennaUrl);
}

void TstJvHotLink::opensUrlNotCaption() {
    TJvHotLink* link = makeInfoLink(m_window.get(), QStringLiteral("JvHotLink1"),
                                    infolinks::hornPlace, infolinks::hornUrl);
    link->setCaption(QStringLiteral("Trychtýř"));
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(m_desktop.opened, QStringList{infolinks::hornUrl});

    link->setUrl(QStringLiteral("https://example.org/jinam"));
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(m_desktop.opened.last(), QStringLiteral("https://example.org/jinam"));
}

void TstJvHotLink::desktopAnswer_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("accepts");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("handed");
    QTest::newRow("accepted") << "https://en.wikipedia.org/wiki/Cantenna" << true << true << 1;
    QTest::newRow("refused by the desktop") << "nosuchscheme:x" << false << false << 1;
    QTest::newRow("empty never reaches the desktop") << "" << true << false << 0;
    QTest::newRow("blank never reaches the desktop") << "  " << true << false << 0;
}

void TstJvHotLink::desktopAnswer() {
    QFETCH(QString, target);
    QFETCH(bool, accepts);
    QFETCH(bool, result);
    QFETCH(int, handed);
    m_desktop.accepts = accepts;
    QCOMPARE(OpenTarget(target), result);
    QCOMPARE(m_desktop.opened.size(), handed);

    // A click says nothing whatever the desktop answered, and the label stays as it was.
    TJvHotLink link(m_window.get());
    link.setUrl(target);
    link.setCaption(QStringLiteral("x"));
    const QSize before = link.size();
    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(link.size(), before);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

QTEST_MAIN(TstJvHotLink)
#include "tst_jvhotlink.moc"
