#include "pattern/Tiling.h"
#include "template/CoverText.h"
#include "template/TemplateFiles.h"
#include "tests/template/TemplateTestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>
#include <numbers>

using namespace vlnokan;
using namespace vlnokan::pattern;
using namespace vlnokan::test;

namespace {

Tiling defaultTiling(int angle, int diameter, int mouth, double seam, double thickness,
                     int pieces) {
    return Tiling::arrange(
        Pattern::develop(funnelDesign(angle, diameter, mouth), {seam, thickness, pieces}),
        {*paperNamed("A4"), 5, 10});
}

double slant(double diameter, int angle) {
    return diameter / (2 * std::sin(angle / 2.0 * std::numbers::pi / 180));
}

} // namespace

class TestTemplateFiles final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void formatsByExtension() {
        QCOMPARE(templ::formatOf("a/b.PDF"), templ::FileFormat::Pdf);
        QCOMPARE(templ::formatOf("b.svg"), templ::FileFormat::Svg);
        QCOMPARE(templ::formatOf("c.dxf"), templ::FileFormat::Dxf);
        QVERIFY(!templ::formatOf("d.png"));
        QVERIFY(!templ::formatOf("pdf"));
    }

    // The cover names every figure, worked out by hand for the default funnel, 10 mm strip.
    void coverFigures() {
        const QString text = templ::coverText(defaultTiling(40, 85, 300, 10, 0, 1));
        for (const char* figure :
             {"f = 2,4 GHz", "D = 85 mm", "Du = 300 mm", "alfa = 40°", "R = 438,57 mm",
              "r = 124,26 mm", "úhel výseče phi = 123,13° (na výkresu alfa)",
              "vnější 942,48 mm, vnitřní 267,04 mm", "vnější 771,31 mm, vnitřní 218,54 mm",
              "Pás pro spoj 10,00 mm", "listů 6 a tento titulní list",
              "Tiskněte ve skutečné velikosti (100 %)"})
            QVERIFY2(text.contains(QString::fromUtf8(figure)), figure);
    }

    // The canvas is the pattern's box with a 5 mm border, in millimetres, and both rims are
    // single SVG arcs of the pattern's radii.
    void svgAtTrueSizeWithArcs_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("mouth");
        QTest::newRow("defaults") << 40 << 300;
        QTest::newRow("20 degrees") << 20 << 500;
    }
    void svgAtTrueSizeWithArcs() {
        QFETCH(int, angle);
        QFETCH(int, mouth);
        const QString path = m_dir.filePath(QStringLiteral("funnel-%1.svg").arg(angle));
        templ::saveTemplate(path, templ::FileFormat::Svg, defaultTiling(angle, 85, mouth, 0, 0, 1));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString width, height;
        QStringList paths;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("svg")) {
                width = xml.attributes().value("width").toString();
                height = xml.attributes().value("height").toString();
            } else if (xml.name() == QLatin1String("path")) {
                paths << xml.attributes().value("d").toString();
            }
        }
        QVERIFY(!xml.hasError());
        const double R = slant(mouth, angle);
        const double r = slant(85, angle);
        const double half =
            360 * std::sin(angle / 2.0 * std::numbers::pi / 180) / 2 * std::numbers::pi / 180;
        QVERIFY(width.endsWith("mm") && height.endsWith("mm"));
        QVERIFY2(std::abs(width.chopped(2).toDouble() - (2 * R * std::sin(half) + 10)) < 0.01,
                 qPrintable(width));
        QVERIFY2(std::abs(height.chopped(2).toDouble() - (R - r * std::cos(half) + 10)) < 0.01,
                 qPrintable(height));
        QCOMPARE(paths.size(), 1);
        const QRegularExpression arc(QStringLiteral("A ([0-9.]+) ([0-9.]+) 0 [01] [01]"));
        QList<double> radii;
        for (auto match = arc.globalMatch(paths[0]); match.hasNext();)
            radii << match.next().captured(1).toDouble();
        QCOMPARE(radii.size(), 2);
        std::sort(radii.begin(), radii.end());
        QVERIFY(std::abs(radii[0] - r) < 0.001 && std::abs(radii[1] - R) < 0.001);
        // Two lines and two arcs: nothing broken into segments.
        QCOMPARE(paths[0].count(QLatin1Char('L')), 2);
        QVERIFY(QSvgRenderer(path).isValid());
    }

    // Read back by ezdxf: millimetres, the radii within 0.01 mm, a closed contour on REZ, the fold
    // lines on OHYB.
    void dxfReadBackIndependently_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("mouth");
        QTest::addColumn<double>("seam");
        QTest::addColumn<double>("thickness");
        QTest::addColumn<int>("pieces");
        QTest::newRow("defaults") << 40 << 300 << 10.0 << 0.0 << 1;
        QTest::newRow("no strip") << 40 << 300 << 0.0 << 0.0 << 1;
        QTest::newRow("half disc, 1 mm sheet") << 60 << 170 << 10.0 << 1.0 << 1;
        QTest::newRow("three pieces") << 25 << 900 << 10.0 << 0.5 << 3;
    }
    void dxfReadBackIndependently() {
        QFETCH(int, angle);
        QFETCH(int, mouth);
        QFETCH(double, seam);
        QFETCH(double, thickness);
        QFETCH(int, pieces);
        const QString path = m_dir.filePath(QStringLiteral("funnel.dxf"));
        templ::saveTemplate(path, templ::FileFormat::Dxf,
                            defaultTiling(angle, 85, mouth, seam, thickness, pieces));
        QProcess reader;
        reader.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(VLNOKAN_CHECK_DXF), path});
        QVERIFY(reader.waitForFinished(60000));
        QCOMPARE(reader.exitCode(), 0);
        const QJsonObject found = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
        QCOMPARE(found["insunits"].toInt(), 4);
        QVERIFY(found["closed"].toBool());
        const double grow = thickness * std::cos(angle / 2.0 * std::numbers::pi / 180);
        const QJsonArray radii = found["radii"].toArray();
        QCOMPARE(radii.size(), 2 * pieces);
        for (int i = 0; i < pieces; ++i) {
            QVERIFY(std::abs(radii[i].toDouble() - slant(85 + grow, angle)) < 0.01);
            QVERIFY(std::abs(radii[pieces + i].toDouble() - slant(mouth + grow, angle)) < 0.01);
        }
        const QJsonObject layers = found["layers"].toObject();
        QCOMPARE(layers["REZ"].toArray(), (QJsonArray{"ARC", "LINE"}));
        QCOMPARE(layers.contains("OHYB"), seam > 0);
        // Colour 7 is the one drawn white on dark and black on light backgrounds; 250 and the
        // dark blue 5 vanish on a dark one. The fold is dashed.
        const QJsonObject colours = found["colours"].toObject();
        QCOMPARE(colours["REZ"].toInt(), 7);
        QCOMPARE(colours["OHYB"].toInt(), 6);
        const QJsonObject linetypes = found["linetypes"].toObject();
        QCOMPARE(linetypes["REZ"].toString().toUpper(), QStringLiteral("CONTINUOUS"));
        const QString foldType = linetypes["OHYB"].toString();
        const QJsonArray dashes = found["dashes"].toObject()[foldType].toArray();
        QVERIFY2(dashes.size() >= 2 && dashes[0].toDouble() > 0 && dashes[1].toDouble() < 0,
                 qPrintable(foldType));
    }

    // A file that cannot be written is reported, and an older file of that name stays whole.
    void unwritableFileLeavesNothingBehind() {
        const Tiling tiling = defaultTiling(40, 85, 300, 10, 0, 1);
        const QString missing = m_dir.filePath(QStringLiteral("no/such/folder/t.pdf"));
        QVERIFY_THROWS_EXCEPTION(templ::ETemplateFile,
                                 templ::saveTemplate(missing, templ::FileFormat::Pdf, tiling));
        QVERIFY(!QFile::exists(missing));

        const QString kept = m_dir.filePath(QStringLiteral("kept.svg"));
        templ::saveTemplate(kept, templ::FileFormat::Svg, tiling);
        QFile old(kept);
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray before = old.readAll();
        old.close();
        // A folder in the file's place cannot be replaced.
        const QString blocked = m_dir.filePath(QStringLiteral("blocked.pdf"));
        QVERIFY(QDir().mkpath(blocked));
        QVERIFY_THROWS_EXCEPTION(templ::ETemplateFile,
                                 templ::saveTemplate(blocked, templ::FileFormat::Pdf, tiling));
        QVERIFY(QFileInfo(blocked).isDir());
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), before);
    }
};

QTEST_MAIN(TestTemplateFiles)
#include "tst_templatefiles.moc"
