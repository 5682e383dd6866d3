// Saves a picture of the antenna details window for the default antenna (2.4 GHz, 85 mm,
// 40 degrees, 300 mm) as the main window hands it on after start-up; used for the README under
// a virtual X server.
#include "details/DetailsWindow.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <iostream>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: vlnokan-details-shot FILE.png\n";
        return 2;
    }
    const auto design = vlnokan::Design::complete(2.4L, 85, 40, 300);

    vlnokan::DetailsWindow window;
    window.showDesign(design);
    window.resize(660, 1180);
    window.show();
    int status = 1;
    QTimer::singleShot(1500, [&] {
        status = window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
        application.quit();
    });
    application.exec();
    return status;
}
