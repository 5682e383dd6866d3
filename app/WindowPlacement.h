#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace vlnokan {

// Where a second window goes on the screen so that it covers nothing of the main window
// (occupied, its frame): to its right or left where the wanted width fits, else below or above
// it where at least the smallest height does, else in the largest free strip. The result is
// the second window's frame, as large as wanted where the free strip allows. All sizes are
// frame sizes in the screen's coordinates.
QRect besideWindow(const QRect& screen, const QRect& occupied, QSize wanted, QSize smallest);

// Moves and sizes window by besideWindow on main's screen, keeping window's own size where it
// fits; window's frame is taken to be as thick as main's.
void placeBeside(QWidget& window, const QWidget& main, QSize smallest);

} // namespace vlnokan
