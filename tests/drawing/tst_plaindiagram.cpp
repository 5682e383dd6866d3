#include "BlockRenderer.h"

#include "drawing/Diagram.h"
#include "drawing/Drawings.h"
#include "drawing/LabelSlots.h"

#include <QTest>

#include <string>

using namespace vlnokan;
using namespace vlnokan::drawing;

Q_DECLARE_METATYPE(vlnokan::drawing::Rect)

namespace {

QString text(const Rect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x).arg(r.y).arg(r.width).arg(r.height);
}

// The rows of a drawing's area as text, '#' for black, '.' for white, 'o' for anything else.
QString rows(const Diagram& diagram, const Rect& area) {
    QString out;
    for (int y = area.y; y < area.bottom(); ++y) {
        for (int x = area.x; x < area.right(); ++x) {
            const Rgb colour = diagram.pixel({x, y});
            out += colour == black ? '#' : colour == white ? '.' : 'o';
        }
        out += '\n';
    }
    return out;
}

Diagram blackDiagram(Size size, int bitsPerPixel, const TextRenderer& renderer) {
    Diagram diagram(size, bitsPerPixel, renderer);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            diagram.setPixel({x, y}, black);
    return diagram;
}

} // namespace

// The plain drawing layer with a stand-in for the platform's text: cells, clipping, blanking
// and the transparent colour follow from the advances and ascent the renderer gives.
class TestPlainDiagram final : public QObject {
    Q_OBJECT

    BlockRenderer m_renderer;

private slots:
    void textCell_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Rect>("covered");
        QTest::newRow("inside") << 10 << 5 << "= 85" << Rect{10, 5, 20, 12};
        QTest::newRow("narrow characters add their own advance")
            << 10 << 5 << "iii" << Rect{10, 5, 6, 12};
        QTest::newRow("cut at the right edge") << 30 << 0 << "Du = 1000" << Rect{30, 0, 10, 12};
        QTest::newRow("cut at the bottom edge") << 0 << 25 << "8" << Rect{0, 25, 5, 5};
        QTest::newRow("cut at the left edge") << -3 << 0 << "88" << Rect{0, 0, 7, 12};
        QTest::newRow("wholly outside") << 40 << 0 << "8" << Rect{};
        QTest::newRow("empty text") << 10 << 5 << "" << Rect{};
    }
    void textCell() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QString, text);
        QFETCH(Rect, covered);
        Diagram diagram = blackDiagram({40, 30}, 1, m_renderer);
        const std::uint64_t before = diagram.revision();
        const Rect got = diagram.writeText({x, y}, text.toStdString());
        QCOMPARE(::text(got), ::text(covered));
        QCOMPARE(diagram.revision(), before + 1);
    }

    void inkOnWhiteCell() {
        Diagram diagram = blackDiagram({14, 14}, 1, m_renderer);
        diagram.writeText({1, 1}, "8g");
        // Cell 10 × 12 at (1, 1): ink rows 1..9 (baseline row 10), the g's foot on row 10.
        QCOMPARE(rows(diagram, {0, 0, 12, 14}), QStringLiteral("############\n"
                                                               "#####.####.#\n"
                                                               "#####.####.#\n"
                                                               "#####.####.#\n"
                                                               "#####.####.#\n"
                                                               "#####.####.#\n"
                                                               "#####.####.#\n"
                                                               "#####.####.#\n"
                                                               "#####.####.#\n"
                                                               "#####.####.#\n"
                                                               "#.....####.#\n"
                                                               "#..........#\n"
                                                               "#..........#\n"
                                                               "############\n"));
    }

    void figuresSizedForTheScreen_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("96") << 96 << 11;
        QTest::newRow("120") << 120 << 13;
        QTest::newRow("144") << 144 << 16;
        QTest::newRow("rounding up from x.5") << 63 << 7;
        QTest::newRow("rounding down below x.5") << 62 << 7;
    }
    void figuresSizedForTheScreen() {
        QFETCH(int, dpi);
        QFETCH(int, pixels);
        QCOMPARE(eightPointPixels(dpi), pixels);
        Diagram diagram({10, 10}, 1, m_renderer);
        diagram.setScreenDpi(dpi);
        diagram.writeText({0, 0}, "1");
        QCOMPARE(int(m_renderer.lastFace.kind), int(FaceKind::Figures));
        QCOMPARE(m_renderer.lastFace.screenDpi, dpi);
    }

    void transparentColour_data() {
        QTest::addColumn<int>("bitsPerPixel");
        QTest::addColumn<quint32>("bottomLeft");
        QTest::addColumn<quint32>("transparent");
        QTest::newRow("monochrome: white, whatever the corner")
            << 1 << quint32(black) << quint32(white);
        QTest::newRow("coloured, white corner") << 4 << quint32(white) << quint32(white);
        QTest::newRow("coloured, red corner") << 4 << quint32(red) << quint32(red);
        QTest::newRow("coloured, cyan corner") << 4 << quint32(cyan) << quint32(cyan);
    }
    void transparentColour() {
        QFETCH(int, bitsPerPixel);
        QFETCH(quint32, bottomLeft);
        QFETCH(quint32, transparent);
        Diagram diagram({5, 4}, bitsPerPixel, m_renderer);
        diagram.setPixel({0, 3}, bottomLeft);
        QCOMPARE(quint32(diagram.transparentColour()), transparent);
        QCOMPARE(diagram.isTransparent({0, 3}), bottomLeft == transparent);
        QCOMPARE(diagram.isTransparent({4, 0}), transparent == white);
    }

    void paletteIndexTakesTheNearest_data() {
        QTest::addColumn<int>("bitsPerPixel");
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<int>("index");
        QTest::newRow("black") << 4 << quint32(black) << 0;
        QTest::newRow("cyan") << 4 << quint32(cyan) << 1;
        QTest::newRow("red") << 4 << quint32(red) << 2;
        QTest::newRow("white: first white entry") << 4 << quint32(white) << 3;
        QTest::newRow("dark red to red") << 4 << quint32(rgb(200, 10, 10)) << 2;
        QTest::newRow("light grey to white on two colours")
            << 1 << quint32(rgb(200, 200, 200)) << 1;
        QTest::newRow("dark grey to black on two colours") << 1 << quint32(rgb(60, 60, 60)) << 0;
    }
    void paletteIndexTakesTheNearest() {
        QFETCH(int, bitsPerPixel);
        QFETCH(quint32, colour);
        QFETCH(int, index);
        Diagram diagram({1, 1}, bitsPerPixel, m_renderer);
        diagram.setPixel({0, 0}, colour);
        QCOMPARE(diagram.paletteIndex({0, 0}), index);
        QCOMPARE(int(diagram.palette().size()), bitsPerPixel == 1 ? 2 : 16);
    }

    // Blanking covers fifteen blanks and, beyond them, whatever was written at the slot before.
    void blankingCoversOldFigures_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<Rect>("white");
        QTest::newRow("short figure: fifteen blanks") << "= 8" << Rect{222, 157, 75, 12};
        QTest::newRow("longer than the blanks") << "= 12345678901234567" << Rect{222, 157, 95, 12};
    }
    void blankingCoversOldFigures() {
        QFETCH(QString, before);
        QFETCH(Rect, white);
        Diagram can = blackDiagram({454, 222}, 1, m_renderer);
        Diagram funnel = blackDiagram({299, 257}, 4, m_renderer);
        LabelSlots labelSlots(can, funnel);
        labelSlots.write(Slot::CanLo4, before.toStdString());
        labelSlots.blankAll();
        const Rect around{white.x - 1, white.y - 1, white.width + 2, white.height + 2};
        for (int y = around.y; y < around.bottom(); ++y)
            for (int x = around.x; x < around.right(); ++x) {
                const bool inside = white.contains(Point{x, y});
                if ((can.pixel({x, y}) == drawing::white) != inside)
                    QFAIL(qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
    }

    // The labels of the can drawing sit with the left of their ink and their glyphs' bottom row
    // where the drawing has them, whatever the face's bearings.
    void labelsPlacedByTheirInk() {
        const Diagram can = makeCanDiagram(m_renderer);
        // "D": ink from x = 6, bottom row 114; the block glyph is 4 wide and 9 tall.
        QCOMPARE(rows(can, {5, 105, 6, 11}), QStringLiteral("......\n"
                                                            ".####.\n"
                                                            ".####.\n"
                                                            ".####.\n"
                                                            ".####.\n"
                                                            ".####.\n"
                                                            ".####.\n"
                                                            ".####.\n"
                                                            ".####.\n"
                                                            ".####.\n"
                                                            "......\n"));
        QCOMPARE(int(m_renderer.lastFace.kind), int(FaceKind::Label));
    }

    void rectangles_data() {
        QTest::addColumn<Rect>("a");
        QTest::addColumn<Rect>("b");
        QTest::addColumn<Rect>("intersection");
        QTest::addColumn<Rect>("joined");
        QTest::addColumn<bool>("aContainsB");
        QTest::newRow("overlapping") << Rect{0, 0, 10, 10} << Rect{5, 5, 10, 10} << Rect{5, 5, 5, 5}
                                     << Rect{0, 0, 15, 15} << false;
        QTest::newRow("touching edges do not overlap")
            << Rect{0, 0, 10, 10} << Rect{10, 0, 5, 10} << Rect{} << Rect{0, 0, 15, 10} << false;
        QTest::newRow("one inside the other") << Rect{0, 0, 10, 10} << Rect{2, 2, 3, 3}
                                              << Rect{2, 2, 3, 3} << Rect{0, 0, 10, 10} << true;
        QTest::newRow("empty joins as nothing")
            << Rect{1, 1, 2, 2} << Rect{} << Rect{} << Rect{1, 1, 2, 2} << false;
    }
    void rectangles() {
        QFETCH(Rect, a);
        QFETCH(Rect, b);
        QFETCH(Rect, intersection);
        QFETCH(Rect, joined);
        QFETCH(bool, aContainsB);
        QCOMPARE(text(a.intersected(b)), text(intersection));
        QCOMPARE(text(b.intersected(a)), text(intersection));
        QCOMPARE(text(a.united(b)), text(joined));
        QCOMPARE(a.contains(b), aContainsB);
    }
};

QTEST_GUILESS_MAIN(TestPlainDiagram)
#include "tst_plaindiagram.moc"
