#pragma once

#include <QIcon>

namespace vlnokan {

// The program's icon, a can opening into a funnel, for the window and the application
// (QApplication::setWindowIcon). Carried inside the program, so it shows without being installed.
QIcon applicationIcon();

} // namespace vlnokan
