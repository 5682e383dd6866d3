#include "core/Faults.h"
#include "measure/MeasureFaults.h"
#include "sim/CanModel.h"
#include "sim/SimFaults.h"
#include "simview/DishView.h"
#include "simview/MeasurementChooser.h"
#include "simview/SimulationPanel.h"
#include "tests/sim/ScriptEngine.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPolarChart>

#include <cmath>
#include <numbers>

using namespace vlnokan;
using namespace vlnokan::sim;
using vlnokan::simview::SimulationPanel;

namespace {

Design defaultDesign() {
    return Design::complete(2.4L, 85, 40, 300);
}

SimResults sampleResults() {
    SimResults results;
    results.centreHz = 2.4e9;
    results.gainDbi = 16.12;
    for (int k = 0; k <= 20; ++k)
        results.band.push_back(
            {1.92e9 + k * 0.048e9, {50.0 + k, 10.0 - k}, -5.0 - std::abs(10 - k), 1, 1});
    results.match = bestMatch(results.band);
    for (int k = 0; k <= 180; ++k) {
        results.farField.pattern.thetaDeg.push_back(-180 + 2 * k);
        results.farField.pattern.ePlaneDb.push_back(-std::abs(-180 + 2 * k) / 4.0);
        results.farField.pattern.hPlaneDb.push_back(-std::abs(-180 + 2 * k) / 5.0);
    }
    return results;
}

// Hands the panel a file as if the user had chosen it in the open dialog.
class FixedChooser final : public vlnokan::simview::MeasurementChooser {
public:
    explicit FixedChooser(QString path) : m_path(std::move(path)) {}
    QString openFileName(QWidget*, const QString&, const QString&) override {
        ++asked;
        return m_path;
    }
    int asked = 0;

private:
    QString m_path;
};

QStringList seriesNames(const SimulationPanel& panel) {
    QStringList names;
    for (auto* view : panel.chartsArea()->findChildren<QChartView*>())
        for (auto* series : view->chart()->series())
            names << series->name() + "=" +
                         QString::number(static_cast<QLineSeries*>(series)->count());
    return names;
}

// A feed of cos^2 in both planes radiating from 20 mm inside the mouth: the phase as the far
// field gives it, taken about the mouth and wrapped into -180 to 180 degrees.
SimResults feedResults() {
    SimResults results = sampleResults();
    auto& pattern = results.farField.pattern;
    pattern.ePlaneDb.clear();
    pattern.hPlaneDb.clear();
    const double lambda = 299.792458 / 2.4;
    for (const double theta : pattern.thetaDeg) {
        const double c = std::cos(theta * std::numbers::pi / 180);
        pattern.ePlaneDb.push_back(std::abs(theta) < 90 ? 20 * std::log10(std::max(c, 1e-6))
                                                        : -240);
        pattern.hPlaneDb.push_back(pattern.ePlaneDb.back());
        pattern.ePlanePhaseDeg.push_back(std::remainder(360 / lambda * -20 * c, 360.0));
        pattern.hPlanePhaseDeg.push_back(pattern.ePlanePhaseDeg.back());
    }
    return results;
}

const QString progressLine =
    "echo '[@ 1s] Timestep: 10 || Speed: 1 MC/s (1e-3 s/TS) || Energy: ~1e-9 (-20.00dB)'\n";

} // namespace

// The simulation's part of the details window, driven as a user drives it.
class TestSimulationPanel final : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    // The message of each simulation fault the panel hands to its handler.
    static void recordFaults(SimulationPanel& panel, std::string& reported) {
        panel.setFaultHandler([&reported](const std::exception_ptr& fault) {
            try {
                std::rethrow_exception(fault);
            } catch (const ESimulation& error) {
                reported = error.message();
            }
        });
    }

    void prepare(SimulationPanel& panel) {
        panel.setCacheFolder((m_folder.path() + "/cache").toStdString());
        panel.setDesign(defaultDesign());
        panel.resize(700, 800);
        panel.show();
    }

private slots:
    void startNeedsADesign() {
        SimulationPanel panel;
        QVERIFY(!panel.startButton()->isEnabled());
        QVERIFY(!panel.cancelButton()->isEnabled());
        panel.setDesign(defaultDesign());
        QVERIFY(panel.startButton()->isEnabled());
    }

    // The simulated gain beside the horn's textbook estimate for 2.4 GHz, 40 degrees, 300 mm:
    // 10 log10((pi Du / Lo)^2) - L(s) = 17.55 - 1.40 = 16.15 dBi.
    void resultsShowGainChartsAndPatterns() {
        SimulationPanel panel;
        prepare(panel);
        panel.showResults(sampleResults());
        QVERIFY(panel.gainLabel()->text().startsWith("Zisk podle simulace: 16.1 dBi"));
        QVERIFY(panel.gainLabel()->text().contains("odhad trychtýře: 16.1 dBi"));
        const auto views = panel.chartsArea()->findChildren<QChartView*>();
        QCOMPARE(views.size(), 3);
        int polar = 0;
        for (QChartView* view : views) {
            if (auto* chart = qobject_cast<QPolarChart*>(view->chart())) {
                ++polar;
                auto* series = qobject_cast<QLineSeries*>(chart->series().first());
                // Every direction once, in order of angle, closed at the top.
                QCOMPARE(series->count(), 182);
                QCOMPARE(series->at(0), QPointF(0, 0));
                QCOMPARE(series->at(series->count() - 1).x(), 360.0);
            } else {
                // S11 with f marked, resistance and reactance.
                QCOMPARE(view->chart()->series().size(), 4);
            }
        }
        QCOMPARE(polar, 2);
        // Shown again, the charts are replaced, not added.
        panel.showResults(sampleResults());
        QCOMPARE(panel.chartsArea()->findChildren<QChartView*>().size(), 3);
    }

    // The can as a dish feed: the textbook cos^2 feed lights best a dish of f/D 0.385 (0.829);
    // the builder's f/D changed by keyboard, the advice follows.
    void dishFeedFigures() {
        SimulationPanel panel;
        prepare(panel);
        QTest::mouseClick(panel.noFunnelBox(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(panel.noFunnelBox()->isChecked());
        panel.showResults(feedResults());
        // No horn estimate for the can alone.
        QVERIFY(!panel.gainLabel()->text().contains("odhad"));
        QCOMPARE(panel.chartsArea()->findChildren<QChartView*>().size(), 4);
        auto* dish = panel.chartsArea()->findChild<simview::DishView*>();
        QVERIFY(dish);
        const QString figures = dish->figuresLabel()->text();
        QVERIFY2(figures.contains("Nejlepší f/D 0.38 (účinnost 0.83)"), qPrintable(figures));
        QVERIFY(figures.contains("20.0 mm uvnitř plechovky"));
        QVERIFY(figures.endsWith("vaše parabola s f/D 0,40 mezi ně patří."));
        QCOMPARE(dish->chartView()->chart()->series().size(), 4);
        dish->fOverDBox()->setFocus();
        dish->fOverDBox()->selectAll();
        QTest::keyClicks(dish->fOverDBox(), "0.75");
        QTest::keyClick(dish->fOverDBox(), Qt::Key_Enter);
        QVERIFY2(dish->figuresLabel()->text().endsWith(
                     "pro vaši parabolu s f/D 0,75 je třeba trychtýř nebo užší svazek."),
                 qPrintable(dish->figuresLabel()->text()));
        // Results without the far field's phase have no dish part.
        panel.showResults(sampleResults());
        QVERIFY(!panel.chartsArea()->findChild<simview::DishView*>());
    }

    // With the box ticked the can alone is simulated: its own, smaller model.
    void noFunnelSimulatesTheCanAlone() {
        ScriptLauncher launcher(writeScript(m_folder.filePath("waiting"),
                                            "while [ ! -f ABORT ]; do sleep 0.05; done\nexit 0\n"));
        Engines::Replacement replacement(launcher);
        SimulationPanel panel;
        prepare(panel);
        QTest::mouseClick(panel.noFunnelBox(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(panel.startButton(), Qt::LeftButton);
        QVERIFY(panel.running());
        QVERIFY(!panel.noFunnelBox()->isEnabled());
        CanOptions options;
        options.withFunnel = false;
        const auto cells = QString::number(canModel(defaultDesign(), options).cellCount());
        QVERIFY2(panel.statusLabel()->text().contains(cells),
                 qPrintable(panel.statusLabel()->text()));
        QTest::mouseClick(panel.cancelButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return !panel.running(); }, 2000));
        QVERIFY(panel.noFunnelBox()->isEnabled());
    }

    void progressThenCancel() {
        ScriptLauncher launcher(writeScript(m_folder.filePath("slow"),
                                            progressLine + "while [ ! -f ABORT ]; do sleep 0.05; "
                                                           "done\nexit 0\n"));
        Engines::Replacement replacement(launcher);
        SimulationPanel panel;
        prepare(panel);
        QTest::mouseClick(panel.startButton(), Qt::LeftButton);
        QVERIFY(panel.running());
        QVERIFY(!panel.startButton()->isEnabled());
        QVERIFY(!panel.qualityBox()->isEnabled());
        QVERIFY(QTest::qWaitFor([&] { return panel.progressBar()->value() == 50; }, 5000));
        QTest::mouseClick(panel.cancelButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return !panel.running(); }, 1000));
        QVERIFY(panel.statusLabel()->text().contains("zrušena"));
        QVERIFY(panel.startButton()->isEnabled());
        QVERIFY(processGone(launcher.lastId));
    }

    void failureGoesToTheHandler() {
        ScriptLauncher launcher(writeScript(m_folder.filePath("crash"), "echo broken\nexit 2\n"));
        Engines::Replacement replacement(launcher);
        SimulationPanel panel;
        prepare(panel);
        std::string reported;
        recordFaults(panel, reported);
        QTest::mouseClick(panel.startButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return !panel.running(); }, 5000));
        QVERIFY(reported.find("broken") != std::string::npos);
        QVERIFY(panel.statusLabel()->text().contains("broken"));
    }

    // Results the cache could not keep are shown all the same, with the warning beneath.
    void resultsWithAWarning_data() {
        QTest::addColumn<QString>("warning");
        QTest::newRow("kept") << "";
        QTest::newRow("not kept") << "Výsledek simulace nelze uložit do mezipaměti (x)";
    }
    void resultsWithAWarning() {
        QFETCH(QString, warning);
        SimulationPanel panel;
        prepare(panel);
        SimResults results = sampleResults();
        results.warning = warning.toStdString();
        panel.showResults(results);
        QVERIFY(panel.gainLabel()->text().startsWith("Zisk podle simulace: 16.1 dBi"));
        QCOMPARE(panel.statusLabel()->text().contains("mezipaměti"), !warning.isEmpty());
        QVERIFY(panel.statusLabel()->text().startsWith("S11 na "));
    }

    // A design far too large is refused at once with its estimate; no engine is started.
    void hugeDesignRefusedAtOnce() {
        ScriptLauncher launcher(writeScript(m_folder.filePath("unused"), "exit 0\n"));
        Engines::Replacement replacement(launcher);
        SimulationPanel panel;
        prepare(panel);
        panel.setDesign(Design::complete(100.0L, 125, 20, 10000));
        std::string reported;
        recordFaults(panel, reported);
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(panel.startButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return !reported.empty(); }, 1000));
        QVERIFY(timer.elapsed() < 1000);
        QVERIFY2(reported.find(" MB (") != std::string::npos, reported.c_str());
        QVERIFY(reported.find("volných je ") != std::string::npos);
        QVERIFY(!panel.running());
        QCOMPARE(launcher.starts, 0);
    }

    // Closing the panel or the window it is in, or a new design, stops the engine at once.
    void closingOrNewDesignStopsTheEngine_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("panel closed") << 0;
        QTest::newRow("new design") << 1;
        QTest::newRow("window around it closed") << 2;
    }
    void closingOrNewDesignStopsTheEngine() {
        QFETCH(int, how);
        ScriptLauncher launcher(writeScript(m_folder.filePath("endless"),
                                            "trap '' TERM\nwhile :; do sleep 0.05; done\n"));
        Engines::Replacement replacement(launcher);
        QWidget window;
        auto panel = std::make_unique<SimulationPanel>(how == 2 ? &window : nullptr);
        prepare(*panel);
        window.show();
        QTest::mouseClick(panel->startButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return launcher.lastId != 0; }, 5000));
        QElapsedTimer timer;
        timer.start();
        if (how == 0) {
            panel->close();
        } else if (how == 1) {
            Design other = defaultDesign();
            other.mouth = 250;
            panel->setDesign(other);
        } else {
            window.close();
        }
        QVERIFY(!panel->running());
        QVERIFY(timer.elapsed() < 1000);
        QVERIFY(processGone(launcher.lastId));
    }

    // A measurement is loaded and drawn without openEMS: the engine is never asked for.
    void measurementOnTheCharts() {
        const QString path = m_folder.filePath("hand.s1p");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# MHz S RI R 50\n2300 0.5 0\n2350 0.2 0\n2400 0.1 0\n2450 0.2 0\n"
                   "2500 0.5 0\n");
        file.close();
        qputenv("VLNOKAN_OPENEMS", "/nonexistent/openEMS");
        FixedChooser chooser(path);
        vlnokan::simview::MeasurementChooserSeam::Replacement guard(chooser);
        SimulationPanel panel;
        prepare(panel);
        QTest::mouseClick(panel.loadButton(), Qt::LeftButton);
        QCOMPARE(chooser.asked, 1);
        // |S11| 0.1 at 2.4 GHz: -20 dB, 61.1 ohms.
        QVERIFY2(
            panel.measuredLabel()->text().contains("nejlepší přizpůsobení 2.400 GHz (-20.0 dB)"),
            qPrintable(panel.measuredLabel()->text()));
        QVERIFY(panel.measuredLabel()->text().contains("61.1 + j0.0 Ω"));
        QStringList names = seriesNames(panel);
        for (const char* name : {"S11 měřeno [dB]=5", "R měřeno [Ω]=5", "X měřeno [Ω]=5"})
            QVERIFY2(names.contains(name), qPrintable(names.join(", ")));
        QVERIFY(!names.contains("S11 [dB]=21"));

        // The simulation's curves join them on the same chart, and the differences are told.
        panel.showResults(sampleResults());
        names = seriesNames(panel);
        for (const char* name :
             {"S11 [dB]=21", "R [Ω]=21", "X [Ω]=21", "S11 měřeno [dB]=5", "X měřeno [Ω]=5"})
            QVERIFY2(names.contains(name), qPrintable(names.join(", ")));
        QVERIFY2(panel.measuredLabel()->text().contains("Rozdíl proti simulaci"),
                 qPrintable(panel.measuredLabel()->text()));
        qunsetenv("VLNOKAN_OPENEMS");
    }

    void measurementChoiceCancelledOrUnreadable_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("fault");
        QTest::newRow("cancelled") << QByteArray() << false;
        QTest::newRow("a row cut short") << QByteArray("# GHz S RI R 50\n2.4 0 0\n2.5 0\n") << true;
    }
    void measurementChoiceCancelledOrUnreadable() {
        QFETCH(QByteArray, text);
        QFETCH(bool, fault);
        QString path;
        if (fault) {
            path = m_folder.filePath("bad.s1p");
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        FixedChooser chooser(path);
        vlnokan::simview::MeasurementChooserSeam::Replacement guard(chooser);
        SimulationPanel panel;
        prepare(panel);
        QString reported;
        panel.setFaultHandler([&](const std::exception_ptr& error) {
            try {
                std::rethrow_exception(error);
            } catch (const vlnokan::measure::EMeasurement& measurement) {
                reported = QString::fromStdString(measurement.message());
            }
        });
        QTest::mouseClick(panel.loadButton(), Qt::LeftButton);
        QCOMPARE(reported.contains("bad.s1p, řádek 3"), fault);
        QVERIFY(panel.measuredLabel()->isHidden());
    }
};

QTEST_MAIN(TestSimulationPanel)
#include "tst_simulationpanel.moc"
