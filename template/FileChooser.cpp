#include "template/FileChooser.h"

#include <QFileDialog>

namespace vlnokan::templ {

QString QtFileChooser::saveFileName(QWidget* parent, const QString& caption,
                                    const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

} // namespace vlnokan::templ
