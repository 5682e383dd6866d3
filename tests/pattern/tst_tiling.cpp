#include "core/Faults.h"
#include "pattern/Tiling.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace vlnokan;
using namespace vlnokan::pattern;

namespace {

Design funnel(int angle, int diameter, int mouth) {
    return Design::complete(2.4L, diameter, angle, mouth);
}

// Sheets of a plain grid laid over the pattern's bounding box, counted independently.
int plainGrid(const Box& box, double width, double height, double overlap) {
    auto cells = [&](double length, double area) {
        int n = 1;
        while (n * (area - overlap) + overlap < length)
            ++n;
        return n;
    };
    return cells(box.width(), width) * cells(box.height(), height);
}

} // namespace

class TestTiling final : public QObject {
    Q_OBJECT

private slots:
    void labels_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("label");
        QTest::newRow("first") << 0 << 0 << "A1";
        QTest::newRow("second column, second row") << 1 << 1 << "B2";
        QTest::newRow("last single letter") << 25 << 9 << "Z10";
        QTest::newRow("two letters") << 26 << 0 << "AA1";
    }
    void labels() {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, label);
        QCOMPARE(QString::fromStdString(sheetLabel(column, row)), label);
    }

    void papersByName() {
        QCOMPARE(paperNamed("a3")->height, 420.0);
        QCOMPARE(paperNamed("Letter")->width, 215.9);
        QCOMPARE(paperNamed("LEGAL")->height, 355.6);
        QVERIFY(!paperNamed("A5"));
        QVERIFY(!paperNamed(""));
    }

    void defaultFunnelOnA4_data() {
        QTest::addColumn<double>("margin");
        QTest::newRow("5 mm margins") << 5.0;
        QTest::newRow("4 mm margins") << 4.0;
        QTest::newRow("no margins") << 0.0;
    }
    void defaultFunnelOnA4() {
        QFETCH(double, margin);
        const Pattern p = Pattern::develop(funnel(40, 85, 300), {0, 0, 1});
        const Tiling tiling = Tiling::arrange(p, {*paperNamed("A4"), margin, 10});
        QVERIFY2(tiling.sheets().size() <= 6, qPrintable(QString::number(tiling.sheets().size())));
    }

    // Whatever the funnel and paper: never more sheets than a plain grid, every bit of every cut
    // line on a printed area, and neighbours named both ways.
    void sheetsCoverThePattern_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("mouth");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<double>("overlap");
        QTest::addColumn<double>("seam");
        QTest::addColumn<int>("pieces");
        QTest::newRow("defaults on A4") << 40 << 85 << 300 << "A4" << 10.0 << 10.0 << 1;
        QTest::newRow("defaults on A3") << 40 << 85 << 300 << "A3" << 10.0 << 10.0 << 1;
        QTest::newRow("defaults on Letter, no overlap")
            << 40 << 85 << 300 << "Letter" << 0.0 << 0.0 << 1;
        QTest::newRow("half disc on Legal") << 60 << 85 << 170 << "Legal" << 15.0 << 10.0 << 1;
        QTest::newRow("small 24 GHz funnel") << 60 << 9 << 18 << "A4" << 10.0 << 3.0 << 1;
        QTest::newRow("long 20 degree funnel") << 20 << 179 << 1500 << "A4" << 10.0 << 10.0 << 1;
        QTest::newRow("three pieces") << 40 << 85 << 600 << "A4" << 20.0 << 10.0 << 3;
    }
    void sheetsCoverThePattern() {
        QFETCH(int, angle);
        QFETCH(int, diameter);
        QFETCH(int, mouth);
        QFETCH(QString, paper);
        QFETCH(double, overlap);
        QFETCH(double, seam);
        QFETCH(int, pieces);
        const Pattern p = Pattern::develop(funnel(angle, diameter, mouth), {seam, 0, pieces});
        const Paper sheet = *paperNamed(paper.toStdString());
        const double margin = 5;
        const Tiling tiling = Tiling::arrange(p, {sheet, margin, overlap});

        const double w = sheet.width - 2 * margin;
        const double h = sheet.height - 2 * margin;
        const int grid =
            std::min(plainGrid(p.bounds(), w, h, overlap), plainGrid(p.bounds(), h, w, overlap));
        QVERIFY2(int(tiling.sheets().size()) <= grid,
                 qPrintable(QStringLiteral("%1 > %2").arg(tiling.sheets().size()).arg(grid)));
        QCOMPARE(tiling.areaWidth(), tiling.landscape() ? h : w);

        for (const Point& q : polygonise(tiling.pattern().cutEdges(), 0.01)) {
            const bool covered =
                std::any_of(tiling.sheets().begin(), tiling.sheets().end(), [&](const Sheet& s) {
                    return q.x >= s.area.left && q.x <= s.area.right && q.y >= s.area.bottom &&
                           q.y <= s.area.top;
                });
            QVERIFY2(covered, qPrintable(QStringLiteral("%1, %2").arg(q.x).arg(q.y)));
        }
        for (const Sheet& s : tiling.sheets()) {
            QCOMPARE(s.area.width(), tiling.areaWidth());
            for (const Sheet& t : tiling.sheets()) {
                if (t.column == s.column + 1 && t.row == s.row) {
                    QCOMPARE(s.right, t.label);
                    QCOMPARE(t.left, s.label);
                    QVERIFY(std::abs(s.area.right - t.area.left - overlap) < 1e-9);
                }
                if (t.row == s.row + 1 && t.column == s.column) {
                    QCOMPARE(s.below, t.label);
                    QCOMPARE(t.above, s.label);
                    QVERIFY(std::abs(t.area.top - s.area.bottom - overlap) < 1e-9);
                }
            }
        }
    }

    void noRoomOnThePaper_data() {
        QTest::addColumn<double>("margin");
        QTest::addColumn<double>("overlap");
        QTest::newRow("margins eat the sheet") << 100.0 << 10.0;
        QTest::newRow("overlap as wide as the sheet") << 5.0 << 200.0;
        QTest::newRow("negative overlap") << 5.0 << -1.0;
        QTest::newRow("negative margin") << -1.0 << 10.0;
    }
    // A funnel of tens of metres is no paper template; it is refused at once, not searched.
    void tooManySheets() {
        const Pattern p = Pattern::develop(funnel(60, 85, 40000), {});
        QElapsedTimer clock;
        clock.start();
        QVERIFY_THROWS_EXCEPTION(Exception, Tiling::arrange(p, {*paperNamed("A4"), 5, 10}));
        QVERIFY(clock.elapsed() < 1000);
        // A funnel with a 3 m mouth still goes onto A3 sheets.
        QVERIFY(Tiling::arrange(Pattern::develop(funnel(60, 85, 3000), {0, 0, 1}),
                                {*paperNamed("A3"), 5, 10})
                    .sheets()
                    .size() <= 400);
    }
    void noRoomOnThePaper() {
        QFETCH(double, margin);
        QFETCH(double, overlap);
        const Pattern p = Pattern::develop(funnel(40, 85, 300), {});
        QVERIFY_THROWS_EXCEPTION(Exception,
                                 Tiling::arrange(p, {*paperNamed("A4"), margin, overlap}));
    }
};

QTEST_APPLESS_MAIN(TestTiling)
#include "tst_tiling.moc"
