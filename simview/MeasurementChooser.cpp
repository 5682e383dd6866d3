#include "simview/MeasurementChooser.h"

#include <QFileDialog>

namespace vlnokan::simview {

QString QtMeasurementChooser::openFileName(QWidget* parent, const QString& caption,
                                           const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

} // namespace vlnokan::simview
