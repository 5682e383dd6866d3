#include "app/ApplicationTitle.h"

#include <QFileInfo>

namespace vlnokan {

namespace {

QString& storedTitle() {
    static QString title;
    return title;
}

} // namespace

QString titleFromExecutable(const QString& executablePath) {
    QString name = QFileInfo(executablePath).fileName();
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    return name.left(1) + name.mid(1).toLower();
}

const QString& applicationTitle() {
    return storedTitle();
}

void setApplicationTitle(const QString& title) {
    storedTitle() = title;
}

} // namespace vlnokan
