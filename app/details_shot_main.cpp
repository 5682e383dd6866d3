// Saves a picture of the antenna details window as the program opens it for the default antenna
// (2.4 GHz, 85 mm, 40 degrees, 300 mm): the main window makes its first calculation and the can
// drawing's menu item opens the details, every part shown at full height. The simulation part
// shows the quick simulation's results when they are in the cache (after
// vlnokan-calc --simulate 2.4 85 40 300), otherwise the state it opens in. Used for the README
// under a virtual X server.
#include "app/Main.h"
#include "details/DetailsWindow.h"

#include <QLineEdit>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#ifdef VLNOKAN_WITH_SIMULATION
#include "sim/CanModel.h"
#include "sim/ModelWriter.h"
#include "sim/ResultCache.h"
#include "simview/SimulationPanel.h"
#endif

#include <iostream>

namespace {

#ifdef VLNOKAN_WITH_SIMULATION
bool cached(const vlnokan::Design& design) {
    namespace sim = vlnokan::sim;
    sim::CanOptions options;
    options.cellsPerWavelength = sim::cellsPerWavelength(sim::Quality::Quick);
    const std::string xml = sim::modelXml(sim::canModel(design, options));
    return sim::ResultCache(sim::defaultCacheFolder()).find(sim::modelKey(xml)).has_value();
}
#endif

// The window tall enough to show every part without scrolling.
void unfold(vlnokan::DetailsWindow& window) {
    auto* scroll = window.findChild<QScrollArea*>();
    const int content = scroll->widget()->sizeHint().height();
    window.resize(window.width(), content + 2 * scroll->frameWidth());
    // Word-wrapped texts and charts settle once laid out: grow by what is still scrolled.
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::processEvents();
        const int hidden = scroll->verticalScrollBar()->maximum();
        if (hidden <= 0)
            break;
        window.resize(window.width(), window.height() + hidden);
    }
}

} // namespace

int main(int argc, char** argv) {
    vlnokan::VlnokanApplication application(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: vlnokan-details-shot FILE.png\n";
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    vlnokan::TForm1 form;
    form.show();
    form.activateWindow();
    int status = 1;
    const auto save = [&] {
        vlnokan::DetailsWindow* window = form.detailsWindow();
        unfold(*window);
        QTimer::singleShot(1000, [&, window] {
            unfold(*window);
            status = window->grab().save(file, "PNG") ? 0 : 1;
            application.quit();
        });
    };
    QTimer::singleShot(1500, [&] {
        if (form.EditLg->text() != QStringLiteral("247")) {
            std::cerr << "the first calculation did not end as expected\n";
            application.quit();
            return;
        }
        form.Details1Click();
#ifdef VLNOKAN_WITH_SIMULATION
        auto* panel = form.detailsWindow()->findChild<vlnokan::simview::SimulationPanel*>();
        if (panel && cached(form.design())) {
            QObject::connect(panel, &vlnokan::simview::SimulationPanel::finished, save);
            panel->start();
            return;
        }
#endif
        save();
    });
    application.exec();
    return status;
}
