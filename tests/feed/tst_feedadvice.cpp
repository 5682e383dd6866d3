#include "feed/FeedAdvice.h"
#include "tests/feed/CosineFeed.h"

#include <QTest>

#include <cmath>
#include <numbers>

using namespace vlnokan::feed;
using vlnokan::feed::test::cosineFeed;

namespace {

// The cos^2 feed's aperture efficiency in closed form, over f/D.
double cos2ApertureAt(double fOverD) {
    return vlnokan::feed::test::cos2Aperture(360 / std::numbers::pi * std::atan(1 / (4 * fOverD)));
}

} // namespace

class TestFeedAdvice final : public QObject {
    Q_OBJECT

private slots:
    void answer_data() {
        QTest::addColumn<double>("fOverD");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("ending");
        QTest::newRow("offset dish too shallow")
            << 0.6 << int(Language::English)
            << "for your 0.60 dish a funnel or a narrower beam is needed.";
        QTest::newRow("prime focus dish")
            << 0.4 << int(Language::English) << "your 0.40 dish is one of them.";
        QTest::newRow("deep dish") << 0.25 << int(Language::English)
                                   << "for your 0.25 dish a wider beam is needed (a narrower can).";
        QTest::newRow("deep dish, Czech")
            << 0.25 << int(Language::Czech)
            << "pro vaši parabolu s f/D 0,25 je třeba širší svazek (užší plechovka).";
    }
    void answer() {
        QFETCH(double, fOverD);
        QFETCH(int, language);
        QFETCH(QString, ending);
        const double lambda = 125, shift = -30;
        const DishAnswer answer = dishAnswer(cosineFeed(2, 2, shift, lambda), lambda, fOverD);
        QVERIFY(std::abs(answer.centre.offsetMm - shift) < 1e-6);
        // About its phase centre the feed is the plain cos^2 feed.
        QVERIFY(std::abs(answer.best.aperture - 0.829) < 0.003);
        QVERIFY(std::abs(answer.yours.aperture - cos2ApertureAt(fOverD)) < 0.002);
        QCOMPARE(answer.curve.size(), std::size_t(76));
        // The range within half a decibel of the best, from the closed form.
        double from = 1, to = 0;
        for (int i = 25; i <= 100; ++i)
            if (cos2ApertureAt(i / 100.0) >= 0.891 * cos2ApertureAt(0.385)) {
                from = std::min(from, i / 100.0);
                to = std::max(to, i / 100.0);
            }
        QVERIFY(std::abs(answer.suitsFrom - from) < 0.011);
        QVERIFY(std::abs(answer.suitsTo - to) < 0.011);
        const QString sentence =
            QString::fromStdString(builderSentence(answer, Language(language)));
        QVERIFY2(sentence.endsWith(ending), qPrintable(sentence));
        QVERIFY(sentence.startsWith(language == int(Language::Czech)
                                        ? "Tato plechovka se hodí pro paraboly s f/D 0,"
                                        : "This can suits dishes of f/D 0."));
    }
};

QTEST_APPLESS_MAIN(TestFeedAdvice)
#include "tst_feedadvice.moc"
