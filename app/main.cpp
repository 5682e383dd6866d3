// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Main.h"
#include "packaging/ApplicationIcon.h"

#include <QPushButton>
#include <QTimer>

// The window program takes no command line of its own; QApplication reads its options.
int main(int argc, char** argv) {
    vlnokan::VlnokanApplication application(argc, argv);
    QApplication::setWindowIcon(vlnokan::applicationIcon());
    vlnokan::TForm1 form;
    form.show();
    form.activateWindow();
    // For the start-up benchmark: end once the first calculation has run and painted.
    if (qEnvironmentVariableIntValue("VLNOKAN_QUIT_AFTER_START") == 1) {
        QObject::connect(form.BitBtnCalc, &QPushButton::clicked, &application, [&form] {
            form.repaint();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        });
    }
    return application.exec();
}
