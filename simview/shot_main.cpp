// Saves a picture of the simulation's part of the details window for the default antenna
// (2.4 GHz, 85 mm, 40 degrees, 300 mm, quick quality) for the README. The results come from the
// user's cache when the antenna was simulated before (e.g. by vlnokan-calc --simulate);
// otherwise the simulation runs first, which takes minutes.
//
// With a measured sweep as second argument it shows that measurement beside the simulation of
// the default can alone on the tests' coarse mesh, and the probe's trim (three simulations,
// from the cache when they ran before).
#include "measure/Touchstone.h"
#include "sim/ResultCache.h"
#include "sim/TrimStudy.h"
#include "simview/SimulationPanel.h"
#include "simview/TrimText.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>

#include <atomic>
#include <iostream>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: vlnokan-sim-shot FILE.png [MEASURED.s1p]\n";
        return 2;
    }
    const auto design = vlnokan::Design::complete(2.4L, 85, 40, 300);

    vlnokan::simview::SimulationPanel panel;
    panel.setDesign(design);
    panel.resize(800, 1000);
    panel.show();
    int status = 1;
    if (argc > 2) {
        const auto sweep = vlnokan::measure::readTouchstoneFile(argv[2]);
        vlnokan::sim::CanOptions options;
        options.withFunnel = false;
        options.cellsPerWavelength = 10;
        vlnokan::sim::SimSettings settings;
        settings.cacheFolder = vlnokan::sim::defaultCacheFolder();
        vlnokan::sim::SimResults results;
        double seconds = 0;
        const std::atomic<bool> cancel{false};
        const auto study =
            vlnokan::sim::trimStudy(design, options, settings, results, seconds, {}, cancel);
        panel.showResults(results);
        panel.showMeasurement(sweep, QString::fromLocal8Bit(argv[2]).section('/', -1));
        panel.trimLabel()->setText(vlnokan::simview::trimText(
            vlnokan::measure::adviseTrim(study, sweep.samples), seconds));
        panel.trimLabel()->show();
        QTimer::singleShot(1000, [&] {
            status = panel.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
            application.quit();
        });
        application.exec();
        return status;
    }
    QObject::connect(&panel, &vlnokan::simview::SimulationPanel::finished, [&] {
        QTimer::singleShot(1000, [&] {
            std::cerr << panel.statusLabel()->text().toStdString() << '\n';
            status = panel.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
            application.quit();
        });
    });
    QTimer::singleShot(0, &panel, &vlnokan::simview::SimulationPanel::start);
    application.exec();
    return status;
}
