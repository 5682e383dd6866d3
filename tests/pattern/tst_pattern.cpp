#include "core/Faults.h"
#include "pattern/Pattern.h"

#include <QTest>

#include <cmath>
#include <numbers>

using namespace vlnokan;
using namespace vlnokan::pattern;

namespace {

Design funnel(int angle, int diameter, int mouth) {
    return Design::complete(2.4L, diameter, angle, mouth);
}

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double angleOf(Point p) {
    return std::atan2(p.y, p.x) * 180.0 / std::numbers::pi;
}

// Degrees turned counter-clockwise from a to b, in [0, 360).
double turn(double a, double b) {
    return std::fmod(std::fmod(b - a, 360.0) + 360.0, 360.0);
}

const Arc& arcOfRadius(const Piece& piece, double radius) {
    for (const Edge& edge : piece.cut)
        if (const auto* arc = std::get_if<Arc>(&edge); arc && std::abs(arc->radius - radius) < 1e-6)
            return *arc;
    throw std::logic_error("no arc of that radius");
}

} // namespace

class TestPattern final : public QObject {
    Q_OBJECT

private slots:
    void radiiAndSector_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("mouth");
        QTest::addColumn<double>("R");
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("theta");
        // Worked out by hand from R = Du / (2 sin(alfa/2)), r likewise, theta = 360 sin(alfa/2).
        QTest::newRow("defaults") << 40 << 85 << 300 << 438.57066002 << 124.26168701
                                  << 123.12725160;
        QTest::newRow("30 degrees")
            << 30 << 90 << 250 << 482.96291314 << 173.86664873 << 93.17485624;
        QTest::newRow("60 degrees: a half disc") << 60 << 85 << 170 << 170.0 << 85.0 << 180.0;
        QTest::newRow("20 degrees")
            << 20 << 85 << 170 << 489.49549107 << 244.74774553 << 62.51334396;
    }
    void radiiAndSector() {
        QFETCH(int, angle);
        QFETCH(int, diameter);
        QFETCH(int, mouth);
        QFETCH(double, R);
        QFETCH(double, r);
        QFETCH(double, theta);
        const Pattern p = Pattern::develop(funnel(angle, diameter, mouth), {0, 0, 1});
        QVERIFY(std::abs(p.outerRadius() - R) < 1e-6);
        QVERIFY(std::abs(p.innerRadius() - r) < 1e-6);
        QVERIFY(std::abs(p.sectorDeg() - theta) < 1e-6);
    }

    // Rolled up, the rims of the cut pieces (their strips left out) close to the mid-surface's
    // circumferences, and every piece is a closed contour with its strip as wide as asked.
    void rolledPieces_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("mouth");
        QTest::addColumn<double>("seam");
        QTest::addColumn<double>("thickness");
        QTest::addColumn<int>("pieces");
        QTest::newRow("defaults, no strip") << 40 << 85 << 300 << 0.0 << 0.0 << 1;
        QTest::newRow("defaults, 10 mm strip") << 40 << 85 << 300 << 10.0 << 0.0 << 1;
        QTest::newRow("defaults, 1 mm sheet") << 40 << 85 << 300 << 10.0 << 1.0 << 1;
        QTest::newRow("defaults in three pieces") << 40 << 85 << 300 << 10.0 << 0.5 << 3;
        QTest::newRow("60 degrees, two pieces") << 60 << 85 << 170 << 10.0 << 0.0 << 2;
        QTest::newRow("24 GHz can, 60 degrees") << 60 << 9 << 18 << 3.0 << 0.0 << 1;
        QTest::newRow("20 degrees, wide mouth") << 20 << 179 << 3000 << 15.0 << 2.0 << 4;
        QTest::newRow("one GHz can, 12 pieces") << 20 << 179 << 358 << 5.0 << 0.0 << 12;
    }
    void rolledPieces() {
        QFETCH(int, angle);
        QFETCH(int, diameter);
        QFETCH(int, mouth);
        QFETCH(double, seam);
        QFETCH(double, thickness);
        QFETCH(int, pieces);
        const Pattern p =
            Pattern::develop(funnel(angle, diameter, mouth), {seam, thickness, pieces});
        QCOMPARE(int(p.pieces().size()), pieces);

        const double halfAngle = angle / 2.0 * std::numbers::pi / 180.0;
        const double growth = thickness * std::cos(halfAngle);
        double inner = 0;
        double outer = 0;
        for (const Piece& piece : p.pieces()) {
            // Closed: each edge starts where another ends.
            std::vector<Point> ends;
            for (const Edge& edge : piece.cut) {
                if (const auto* line = std::get_if<Line>(&edge)) {
                    ends.push_back(line->from);
                    ends.push_back(line->to);
                } else {
                    ends.push_back(std::get<Arc>(edge).start());
                    ends.push_back(std::get<Arc>(edge).end());
                }
            }
            for (const Point& end : ends) {
                int meeting = 0;
                for (const Point& other : ends)
                    meeting += distance(end, other) < 1e-9;
                QCOMPARE(meeting, 2);
            }
            // The plain edge is the line through the apex whose far end starts the outer arc.
            const Arc& outerArc = arcOfRadius(piece, p.outerRadius());
            const Arc& innerArc = arcOfRadius(piece, p.innerRadius());
            const double start = outerArc.startDeg;
            const double foldAngle =
                piece.fold ? angleOf(piece.fold->to) : start + outerArc.sweepDeg;
            QVERIFY(std::abs(turn(start, innerArc.startDeg)) < 1e-9 ||
                    std::abs(turn(start, innerArc.startDeg) - 360) < 1e-9);
            const double span = turn(start, foldAngle) * std::numbers::pi / 180.0;
            inner += p.innerRadius() * span;
            outer += p.outerRadius() * span;
            QCOMPARE(bool(piece.fold), seam > 0);
            if (piece.fold) {
                QVERIFY(std::abs(distance(piece.fold->from, piece.fold->to) -
                                 (p.outerRadius() - p.innerRadius())) < 1e-9);
                // The strip's outer edge runs parallel to the fold at the strip's width.
                const Line& stripEdge = std::get<Line>(piece.cut[2]);
                const Point u{std::cos(foldAngle * std::numbers::pi / 180),
                              std::sin(foldAngle * std::numbers::pi / 180)};
                for (const Point& q : {stripEdge.from, stripEdge.to})
                    QVERIFY(std::abs(std::abs(q.x * u.y - q.y * u.x) - seam) < 1e-9);
            }
        }
        QVERIFY2(std::abs(inner - std::numbers::pi * (diameter + growth)) < 0.01,
                 qPrintable(QString::number(inner, 'f', 4)));
        QVERIFY2(std::abs(outer - std::numbers::pi * (mouth + growth)) < 0.01,
                 qPrintable(QString::number(outer, 'f', 4)));
        QVERIFY(std::abs(p.innerArc() - inner) < 0.01);
        QVERIFY(std::abs(p.outerArc() - outer) < 0.01);
    }

    void optionsThatDoNotFit_data() {
        QTest::addColumn<double>("seam");
        QTest::addColumn<double>("thickness");
        QTest::addColumn<int>("pieces");
        QTest::newRow("no pieces") << 10.0 << 0.0 << 0;
        QTest::newRow("13 pieces") << 10.0 << 0.0 << 13;
        QTest::newRow("negative strip") << -1.0 << 0.0 << 1;
        QTest::newRow("negative thickness") << 10.0 << -0.1 << 1;
        QTest::newRow("strip wider than the inner radius") << 86.0 << 0.0 << 1;
        QTest::newRow("pieces and strips beyond a full turn") << 80.0 << 0.0 << 12;
    }
    void optionsThatDoNotFit() {
        QFETCH(double, seam);
        QFETCH(double, thickness);
        QFETCH(int, pieces);
        QVERIFY_THROWS_EXCEPTION(Exception,
                                 Pattern::develop(funnel(60, 85, 170), {seam, thickness, pieces}));
    }

    void incompleteDesignIsRefused() {
        Design design = funnel(40, 85, 300);
        design.funnelKnown = false;
        QVERIFY_THROWS_EXCEPTION(Exception, Pattern::develop(design, {}));
    }

    // The box follows the arcs' true extent, not only their ends.
    void boundsOfTheDefaultFan() {
        const Pattern p = Pattern::develop(funnel(40, 85, 300), {0, 0, 1});
        const Box box = p.bounds();
        const double halfTheta = 123.12725160 / 2 * std::numbers::pi / 180;
        QVERIFY(std::abs(box.width() - 2 * 438.57066002 * std::sin(halfTheta)) < 1e-6);
        QVERIFY(std::abs(box.height() - (438.57066002 - 124.26168701 * std::cos(halfTheta))) <
                1e-6);
    }
};

QTEST_APPLESS_MAIN(TestPattern)
#include "tst_pattern.moc"
