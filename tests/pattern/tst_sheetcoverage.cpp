#include "pattern/Tiling.h"

#include <QTest>

#include <cmath>
#include <numbers>
#include <set>

using namespace vlnokan;
using namespace vlnokan::pattern;

namespace {

// How finely the lines are walked, in mm: far below the shortest piece of line that a lost sheet
// would carry, and below half of any overlap tried here.
constexpr double walkStep = 0.1;

struct Layout {
    int angle = 40;
    int diameter = 85;
    int mouth = 300;
    QString paper = QStringLiteral("A4");
    double margin = 5;
    double overlap = 10;
    double seam = 10;
    double thickness = 0;
    int pieces = 1;
};

// Points along a line or arc at most walkStep apart, both ends included, taken from the edge's
// own description rather than from any polygon the tiling might use.
std::vector<Point> walk(const Edge& edge) {
    std::vector<Point> points;
    if (const auto* line = std::get_if<Line>(&edge)) {
        const double length = std::hypot(line->to.x - line->from.x, line->to.y - line->from.y);
        const int steps = std::max(1, int(std::ceil(length / walkStep)));
        for (int i = 0; i <= steps; ++i) {
            const double t = double(i) / steps;
            points.push_back({line->from.x + t * (line->to.x - line->from.x),
                              line->from.y + t * (line->to.y - line->from.y)});
        }
        return points;
    }
    const Arc& arc = std::get<Arc>(edge);
    const double sweep = arc.sweepDeg * std::numbers::pi / 180;
    const int steps = std::max(1, int(std::ceil(arc.radius * sweep / walkStep)));
    for (int i = 0; i <= steps; ++i) {
        const double a = arc.startDeg * std::numbers::pi / 180 + sweep * i / steps;
        points.push_back(
            {arc.centre.x + arc.radius * std::cos(a), arc.centre.y + arc.radius * std::sin(a)});
    }
    return points;
}

std::set<int> sheetsHolding(const std::vector<Sheet>& sheets, Point p) {
    constexpr double slack = 1e-7;
    std::set<int> found;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const Box& a = sheets[i].area;
        if (p.x >= a.left - slack && p.x <= a.right + slack && p.y >= a.bottom - slack &&
            p.y <= a.top + slack)
            found.insert(int(i));
    }
    return found;
}

void addRow(const char* name, const Layout& layout) {
    QTest::newRow(name) << layout.angle << layout.diameter << layout.mouth << layout.paper
                        << layout.margin << layout.overlap << layout.seam << layout.thickness
                        << layout.pieces;
}

// Whether the pattern can be developed at all with these options (a piece count that does not
// fit the fan is refused, and that is no tiling to test).
bool develops(const Layout& l) {
    try {
        Pattern::develop(Design::complete(2.4L, l.diameter, l.angle, l.mouth),
                         {l.seam, l.thickness, l.pieces});
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

// The template as a builder tapes it together: every point of every cut and fold line must be on
// some printed sheet, and where a line passes from one sheet to the next it must run through the
// band both sheets carry, so that the two parts can be lined up.
class TestSheetCoverage final : public QObject {
    Q_OBJECT

private slots:
    void everyLineIsPrinted_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("mouth");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<double>("margin");
        QTest::addColumn<double>("overlap");
        QTest::addColumn<double>("seam");
        QTest::addColumn<double>("thickness");
        QTest::addColumn<int>("pieces");

        // Designs where a line clipped only the corner of a sheet and that sheet was left out.
        addRow("20 degrees to 300 mm, Legal, two pieces",
               {20, 85, 300, QStringLiteral("Legal"), 5, 10, 10, 0, 2});
        addRow("20 degrees to 300 mm, Legal, two pieces, no overlap",
               {20, 85, 300, QStringLiteral("Legal"), 5, 0, 10, 0, 2});
        addRow("20 degrees to 1000 mm, A3", {20, 85, 1000, QStringLiteral("A3"), 5, 10, 10, 0, 1});

        const int angles[] = {10, 20, 30, 40, 55, 60, 75, 90, 120, 150};
        const int diameters[] = {9, 40, 70, 85, 100, 179};
        const double mouths[] = {1.3, 2.0, 3.5, 5.0, 8.0}; // times the diameter
        const QString paperNames[] = {QStringLiteral("A4"), QStringLiteral("A3"),
                                      QStringLiteral("Letter"), QStringLiteral("Legal")};
        const double margins[] = {0, 4.2, 5, 12.7};
        const double overlaps[] = {0, 1, 5, 10, 17.5, 30};
        const double seams[] = {0, 3, 10, 15};
        const double thicknesses[] = {0, 0.3, 1, 2};
        // A fixed walk through the combinations, so that every value meets many others and
        // every run tests the same designs.
        unsigned state = 12345;
        auto pick = [&](unsigned n) {
            state = state * 1103515245u + 12345u;
            return (state >> 16) % n;
        };
        int added = 0;
        while (added < 240) {
            Layout l;
            l.angle = angles[pick(10)];
            l.diameter = diameters[pick(6)];
            l.mouth = int(std::lround(l.diameter * mouths[pick(5)]));
            l.paper = paperNames[pick(4)];
            l.margin = margins[pick(4)];
            l.overlap = overlaps[pick(6)];
            l.seam = std::min(seams[pick(4)], l.diameter / 2.0);
            l.thickness = thicknesses[pick(4)];
            l.pieces = 1 + int(pick(3));
            if (!develops(l))
                continue;
            const QByteArray name =
                QStringLiteral("%1 deg, %2 to %3 mm, %4, margin %5, overlap %6, seam %7, "
                               "thickness %8, %9 pieces")
                    .arg(l.angle)
                    .arg(l.diameter)
                    .arg(l.mouth)
                    .arg(l.paper)
                    .arg(l.margin)
                    .arg(l.overlap)
                    .arg(l.seam)
                    .arg(l.thickness)
                    .arg(l.pieces)
                    .toUtf8();
            addRow(name.constData(), l);
            ++added;
        }
    }
    void everyLineIsPrinted() {
        QFETCH(int, angle);
        QFETCH(int, diameter);
        QFETCH(int, mouth);
        QFETCH(QString, paper);
        QFETCH(double, margin);
        QFETCH(double, overlap);
        QFETCH(double, seam);
        QFETCH(double, thickness);
        QFETCH(int, pieces);
        const Pattern p = Pattern::develop(Design::complete(2.4L, diameter, angle, mouth),
                                           {seam, thickness, pieces});
        const Paper sheet = *paperNamed(paper.toStdString());
        std::optional<Tiling> tiling;
        try {
            tiling = Tiling::arrange(p, {sheet, margin, overlap});
        } catch (const std::exception&) {
            QSKIP("more sheets than a paper template takes");
        }
        const auto& sheets = tiling->sheets();

        // Each sheet's printable area is the paper less its margins, and the areas are the cells
        // of one grid whose neighbours share the overlap.
        const double w = (tiling->landscape() ? sheet.height : sheet.width) - 2 * margin;
        const double h = (tiling->landscape() ? sheet.width : sheet.height) - 2 * margin;
        const Box grid = tiling->grid();
        for (const Sheet& s : sheets) {
            QVERIFY(std::abs(s.area.left - (grid.left + s.column * (w - overlap))) < 1e-6);
            QVERIFY(std::abs(s.area.top - (grid.top - s.row * (h - overlap))) < 1e-6);
            QVERIFY(std::abs(s.area.width() - w) < 1e-6);
            QVERIFY(std::abs(s.area.height() - h) < 1e-6);
        }

        std::vector<Edge> lines = tiling->pattern().cutEdges();
        for (const Line& fold : tiling->pattern().foldLines())
            lines.push_back(fold);
        for (std::size_t e = 0; e < lines.size(); ++e) {
            std::set<int> before;
            for (const Point& q : walk(lines[e])) {
                const std::set<int> holding = sheetsHolding(sheets, q);
                QVERIFY2(
                    !holding.empty(),
                    qPrintable(QStringLiteral("line %1 lost at %2, %3").arg(e).arg(q.x).arg(q.y)));
                // Where the line passes between sheets it must lie on both for a while: two
                // points a step apart share a sheet. Butt-joined sheets share only their border.
                if (overlap > 0 && !before.empty()) {
                    const bool shared = std::any_of(holding.begin(), holding.end(),
                                                    [&](int i) { return before.count(i) > 0; });
                    QVERIFY2(shared,
                             qPrintable(QStringLiteral("line %1 jumps between sheets at %2, %3")
                                            .arg(e)
                                            .arg(q.x)
                                            .arg(q.y)));
                }
                before = holding;
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestSheetCoverage)
#include "tst_sheetcoverage.moc"
