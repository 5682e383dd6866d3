// Saves a picture of the simulation's part of the details window for the default antenna
// (2.4 GHz, 85 mm, 40 degrees, 300 mm, quick quality) for the README. The results come from the
// user's cache when the antenna was simulated before (e.g. by vlnokan-calc --simulate);
// otherwise the simulation runs first, which takes minutes.
#include "simview/SimulationPanel.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>

#include <iostream>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: vlnokan-sim-shot FILE.png\n";
        return 2;
    }
    const auto design = vlnokan::Design::complete(2.4L, 85, 40, 300);

    vlnokan::simview::SimulationPanel panel;
    panel.setDesign(design);
    panel.resize(800, 1000);
    panel.show();
    int status = 1;
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
