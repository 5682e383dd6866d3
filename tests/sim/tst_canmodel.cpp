#include "sim/CanModel.h"
#include "sim/ModelWriter.h"
#include "sim/ResultCache.h"
#include "sim/SimFaults.h"
#include "sim/Simulation.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <filesystem>

using namespace vlnokan;
using namespace vlnokan::sim;

namespace {

Design design(long double frequency, int diameter, int angle, int mouth) {
    return Design::complete(frequency, diameter, angle, mouth);
}

bool onLine(const std::vector<double>& lines, double value) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](double line) { return std::abs(line - value) < 1e-9; });
}

double widestCell(const std::vector<double>& lines) {
    double widest = 0;
    for (std::size_t k = 1; k < lines.size(); ++k)
        widest = std::max(widest, lines[k] - lines[k - 1]);
    return widest;
}

const Solid* highestMetalAt(const SimModel& model, double x, double y, double z) {
    const Solid* found = nullptr;
    for (const Solid& solid : model.solids) {
        const Point p{x, y, z};
        bool inside = true;
        if (solid.shape == Solid::Shape::Cylinder) {
            // Along whichever axis its ends differ.
            const std::size_t axis = solid.start[0] != solid.stop[0]   ? 0
                                     : solid.start[1] != solid.stop[1] ? 1
                                                                       : 2;
            double across = 0;
            for (std::size_t k = 0; k < 3; ++k)
                if (k != axis)
                    across += std::pow(p[k] - solid.start[k], 2);
            inside = std::sqrt(across) <= solid.radius && p[axis] >= solid.start[axis] &&
                     p[axis] <= solid.stop[axis];
        } else {
            for (std::size_t k = 0; k < 3; ++k)
                inside = inside && p[k] >= solid.start[k] && p[k] <= solid.stop[k];
        }
        if (inside && (!found || solid.priority > found->priority))
            found = &solid;
    }
    return found;
}

} // namespace

// The antenna as the field solver gets it, from the entries the Calculate command settled on.
class TestCanModel final : public QObject {
    Q_OBJECT

private slots:
    // Lo = 300 / f, Lg = 1 / sqrt(1/Lo^2 - 1/(1.706 D)^2): the figures on the drawings.
    void dimensionsFollowTheDesign_data() {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("mouth");
        QTest::newRow("2.4 GHz, default") << 2.4 << 85 << 40 << 300;
        QTest::newRow("5.8 GHz") << 5.8 << 40 << 30 << 120;
        QTest::newRow("1.8 GHz, wide angle") << 1.8 << 125 << 60 << 400;
    }
    void dimensionsFollowTheDesign() {
        QFETCH(double, frequency);
        QFETCH(int, diameter);
        QFETCH(int, angle);
        QFETCH(int, mouth);
        const SimModel model = canModel(design(frequency, diameter, angle, mouth), {});
        const double lo = 300 / frequency;
        const double lg = 1 / std::sqrt(1 / (lo * lo) - 1 / std::pow(1.706 * diameter, 2));
        const double r = diameter / 2.0;
        // Probe: from the wall at x = r inwards by Lo/4, at Lg/4 above the bottom.
        QVERIFY(std::abs(model.port.stop[0] - r) < 1e-9);
        QVERIFY(std::abs(model.port.start[2] - lg / 4) < 0.006);
        const Solid* tip = highestMetalAt(model, r - lo / 4 + 0.01, 0, model.port.start[2]);
        QVERIFY(tip && tip->priority == 20);
        QVERIFY(!highestMetalAt(model, r - lo / 4 - 0.5, 0, model.port.start[2]) ||
                highestMetalAt(model, r - lo / 4 - 0.5, 0, model.port.start[2])->material ==
                    Material::Air);
        // The can: metal bottom under z = 0, air inside up to 3/4 Lg, the funnel's mouth at Du.
        QCOMPARE(highestMetalAt(model, 0, 0, -model.wallThickness / 2)->material, Material::Metal);
        QCOMPARE(highestMetalAt(model, 0, 0, 1)->material, Material::Air);
        QCOMPARE(highestMetalAt(model, r + model.wallThickness / 2, 0, 0.7 * lg)->material,
                 Material::Metal);
        const double horn = (mouth / 2.0 - r) / std::tan(angle * M_PI / 360);
        QVERIFY(std::abs(model.phaseCentre[2] - (0.75 * lg + horn)) < 0.02);
        const double halfway = 0.75 * lg + horn / 2;
        const double wallThere = r + horn / 2 * std::tan(angle * M_PI / 360);
        QCOMPARE(highestMetalAt(model, wallThere + model.wallThickness / 2, 0, halfway)->material,
                 Material::Metal);
        QCOMPARE(highestMetalAt(model, wallThere - 2, 0, halfway)->material, Material::Air);
        // The pulse covers f +- 20 %.
        QCOMPARE(model.centreHz, frequency * 1e9);
        QVERIFY(std::abs(model.halfBandHz - 0.2 * frequency * 1e9) < 1);
    }

    // The wire and the feed are lines of zero thickness: they act only where their coordinates
    // are exactly mesh lines.
    void wireAndFeedLieOnMeshLines_data() {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<int>("diameter");
        QTest::newRow("2.4 GHz") << 2.4 << 85;
        QTest::newRow("2.437 GHz") << 2.437 << 87;
        QTest::newRow("5.8 GHz") << 5.8 << 40;
    }
    void wireAndFeedLieOnMeshLines() {
        QFETCH(double, frequency);
        QFETCH(int, diameter);
        for (const Quality quality : {Quality::Quick, Quality::Fine}) {
            CanOptions options;
            options.cellsPerWavelength = cellsPerWavelength(quality);
            const SimModel model = canModel(design(frequency, diameter, 40, 300), options);
            for (int axis = 0; axis < 3; ++axis) {
                QVERIFY(onLine(model.mesh[std::size_t(axis)], model.port.start[std::size_t(axis)]));
                QVERIFY(onLine(model.mesh[std::size_t(axis)], model.port.stop[std::size_t(axis)]));
            }
            // The structure file keeps six digits: the coordinates must survive it.
            for (const double value : model.port.start)
                QCOMPARE(std::round(value * 100) / 100, value);
        }
    }

    void qualitySetsTheCellSize_data() {
        QTest::addColumn<int>("quality");
        QTest::addColumn<double>("cellsPerWavelength");
        QTest::newRow("quick") << int(Quality::Quick) << 15.0;
        QTest::newRow("fine") << int(Quality::Fine) << 25.0;
    }
    void qualitySetsTheCellSize() {
        QFETCH(int, quality);
        QFETCH(double, cellsPerWavelength);
        CanOptions options;
        options.cellsPerWavelength = sim::cellsPerWavelength(Quality(quality));
        const SimModel model = canModel(design(2.4, 85, 40, 300), options);
        // The shortest wavelength of the band, at 1.2 f.
        const double cell = 299.792458 / (2.4 * 1.2) / cellsPerWavelength;
        for (const auto& lines : model.mesh) {
            QVERIFY(widestCell(lines) <= cell * 1.0001);
            QVERIFY(widestCell(lines) > cell * 0.9);
            QVERIFY(std::is_sorted(lines.begin(), lines.end()));
        }
    }

    void qualityNames() {
        QCOMPARE(qualityFromName("quick"), std::optional(Quality::Quick));
        QCOMPARE(qualityFromName("fine"), std::optional(Quality::Fine));
        QVERIFY(!qualityFromName("Fine").has_value());
        QVERIFY(!qualityFromName("").has_value());
    }

    // The Calculate command accepts entries no antenna is made of; those are refused with a
    // reason instead of handing the engine a model it cannot run.
    void unbuildableDesignsRefused_data() {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("mouth");
        QTest::newRow("negative frequency") << -5.0 << 85 << 40 << 300;
        QTest::newRow("zero frequency") << 0.0 << 85 << 40 << 300;
        QTest::newRow("can too narrow to carry the wave") << 2.4 << 60 << 40 << 300;
        QTest::newRow("mouth no wider than the can") << 2.4 << 85 << 40 << 85;
        QTest::newRow("zero angle") << 2.4 << 85 << 0 << 300;
    }
    void unbuildableDesignsRefused() {
        QFETCH(double, frequency);
        QFETCH(int, diameter);
        QFETCH(int, angle);
        QFETCH(int, mouth);
        QVERIFY_THROWS_EXCEPTION(ESimulation,
                                 canModel(design(frequency, diameter, angle, mouth), {}));
    }

    void canAloneEndsAtItsMouth() {
        CanOptions options;
        options.withFunnel = false;
        const SimModel withFunnel = canModel(design(2.4, 85, 40, 300), {});
        const SimModel alone = canModel(design(2.4, 85, 40, 300), options);
        QVERIFY(alone.cellCount() < withFunnel.cellCount() / 3);
        QVERIFY(alone.phaseCentre[2] < withFunnel.phaseCentre[2]);
        // The cache keeps the two apart.
        QVERIFY(modelKey(modelXml(alone)) != modelKey(modelXml(withFunnel)));
    }

    // The estimate must not fall short of what the engine took when measured (the can with its
    // funnel, 10 cells a wavelength: 398 820 cells, 103 MB at its peak), nor be far above it.
    void memoryEstimateCoversTheMeasuredRun() {
        CanOptions options;
        options.cellsPerWavelength = 10;
        const SimModel measured = canModel(design(2.4, 85, 40, 300), options);
        QCOMPARE(measured.cellCount(), std::size_t(398820));
        QVERIFY(memoryEstimate(measured) >= 103u << 20);
        QVERIFY(memoryEstimate(measured) <= 206u << 20);
        CanOptions fine;
        fine.cellsPerWavelength = 25;
        QVERIFY(memoryEstimate(canModel(design(2.4, 85, 40, 300), fine)) >
                memoryEstimate(canModel(design(2.4, 85, 40, 300), {})) * 2);
    }

    // The size known before the model is built is the size of the model then built.
    void sizeBeforeBuilding_data() {
        QTest::addColumn<double>("ghz");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("mouth");
        QTest::addColumn<double>("perWavelength");
        QTest::newRow("default, quick") << 2.4 << 85 << 40 << 300 << 15.0;
        QTest::newRow("default, fine") << 2.4 << 85 << 40 << 300 << 25.0;
        QTest::newRow("5.8 GHz, narrow funnel") << 5.8 << 40 << 20 << 200 << 15.0;
        QTest::newRow("1.42 GHz, wide funnel") << 1.42 << 125 << 60 << 600 << 10.0;
    }
    void sizeBeforeBuilding() {
        QFETCH(double, ghz);
        QFETCH(int, diameter);
        QFETCH(int, angle);
        QFETCH(int, mouth);
        QFETCH(double, perWavelength);
        CanOptions options;
        options.cellsPerWavelength = perWavelength;
        const Design d = design(ghz, diameter, angle, mouth);
        const ModelSize size = canModelSize(d, options);
        const SimModel model = canModel(d, options);
        QCOMPARE(size.cells, double(model.cellCount()));
        QCOMPARE(size.solids, double(model.solids.size()));
    }

    // A funnel of ten metres at 100 GHz: its size is known at once, the model never built.
    void hugeDesignSizedAtOnce() {
        QElapsedTimer timer;
        timer.start();
        const ModelSize size = canModelSize(design(100, 125, 20, 10000), {});
        QVERIFY(timer.elapsed() < 200);
        // Cells of 3 mm / 1.2 / 15 across a 10 m mouth and a 28 m long funnel.
        QVERIFY(size.cells > 1e14);
        QVERIFY(size.solids > 6e5);
        QVERIFY_THROWS_EXCEPTION(ESimulation,
                                 refuseOversized(size, ModelUse::Simulate, std::size_t(64) << 30));
        QVERIFY_THROWS_EXCEPTION(ESimulation,
                                 refuseOversized(size, ModelUse::Export, std::size_t(64) << 30));
    }

    // A run needs its memory here; an export only what building the model takes here, as long
    // as some machine could run it.
    void refusedBySize_data() {
        QTest::addColumn<double>("cells");
        QTest::addColumn<double>("solids");
        QTest::addColumn<int>("use");
        QTest::addColumn<double>("freeMb");
        QTest::addColumn<bool>("refused");
        const int run = int(ModelUse::Simulate);
        const int out = int(ModelUse::Export);
        // 40 MB and 170 bytes a cell: 1 M cells take about 202 MB.
        QTest::newRow("run fits") << 1e6 << 400.0 << run << 203.0 << false;
        QTest::newRow("run just too large") << 1e6 << 400.0 << run << 201.0 << true;
        QTest::newRow("export larger than here") << 1e8 << 400.0 << out << 201.0 << false;
        QTest::newRow("export beyond any machine") << 1e10 << 400.0 << out << 1e9 << true;
        QTest::newRow("export too large to build here") << 1e6 << 1e6 << out << 1000.0 << true;
    }
    void refusedBySize() {
        QFETCH(double, cells);
        QFETCH(double, solids);
        QFETCH(int, use);
        QFETCH(double, freeMb);
        QFETCH(bool, refused);
        const auto free = std::size_t(freeMb * 1024 * 1024);
        try {
            refuseOversized({cells, solids}, ModelUse(use), free);
            QVERIFY(!refused);
        } catch (const ESimulation& fault) {
            QVERIFY2(refused, fault.message().c_str());
            const std::string freeText =
                "volných je " + std::to_string(std::llround(freeMb)) + " MB";
            QVERIFY2(fault.message().find(freeText) != std::string::npos, fault.message().c_str());
        }
    }

    void exportWritesModelAndScript() {
        QTemporaryDir folder;
        const std::filesystem::path path = folder.path().toStdString() + "/out";
        exportModel(canModel(design(2.4, 85, 40, 300), {}), path);
        QVERIFY(std::filesystem::exists(path / "model.xml"));
        const auto script = std::filesystem::status(path / "run.sh").permissions();
        QVERIFY((script & std::filesystem::perms::owner_exec) != std::filesystem::perms::none);
        QFile xml(QString::fromStdString((path / "model.xml").string()));
        QVERIFY(xml.open(QIODevice::ReadOnly));
        const QByteArray text = xml.readAll();
        QVERIFY(text.contains("<openEMS>"));
        QVERIFY(text.contains("PML_8"));
        QVERIFY(text.contains("port_excite_1"));
        QVERIFY(text.contains("</openEMS>"));
        // The same model always gives the same text (the cache depends on it).
        QCOMPARE(modelXml(canModel(design(2.4, 85, 40, 300), {})),
                 modelXml(canModel(design(2.4, 85, 40, 300), {})));
    }
};

QTEST_APPLESS_MAIN(TestCanModel)
#include "tst_canmodel.moc"
