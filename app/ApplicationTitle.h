#pragma once

#include <QString>

namespace vlnokan {

// The caption of every message box, made from the executable's path: the file name without its
// directory, cut before its first full stop, every character after the first in lower case.
QString titleFromExecutable(const QString& executablePath);

// The title fixed at start-up (empty before).
const QString& applicationTitle();
void setApplicationTitle(const QString& title);

} // namespace vlnokan
