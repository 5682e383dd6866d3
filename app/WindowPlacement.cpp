#include "app/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>

namespace vlnokan {

namespace {

enum class Side { Right, Left, Below, Above };

// The part of the screen on one side of the occupied rectangle (empty where there is none).
QRect strip(const QRect& screen, const QRect& occupied, Side side) {
    switch (side) {
    case Side::Right:
        return QRect(QPoint(occupied.right() + 1, screen.top()), screen.bottomRight());
    case Side::Left:
        return QRect(screen.topLeft(), QPoint(occupied.left() - 1, screen.bottom()));
    case Side::Below:
        return QRect(QPoint(screen.left(), occupied.bottom() + 1), screen.bottomRight());
    case Side::Above:
        return QRect(screen.topLeft(), QPoint(screen.right(), occupied.top() - 1));
    }
    return {};
}

int clamp(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

// The wanted size cut to the strip, laid against the occupied rectangle's side and lined up
// with its top or left edge as far as the strip allows.
QRect within(const QRect& free, const QRect& occupied, Side side, QSize wanted) {
    const QSize size = wanted.boundedTo(free.size());
    QPoint at;
    switch (side) {
    case Side::Right:
        at = {free.left(), clamp(occupied.top(), free.top(), free.bottom() + 1 - size.height())};
        break;
    case Side::Left:
        at = {free.right() + 1 - size.width(),
              clamp(occupied.top(), free.top(), free.bottom() + 1 - size.height())};
        break;
    case Side::Below:
        at = {clamp(occupied.left(), free.left(), free.right() + 1 - size.width()), free.top()};
        break;
    case Side::Above:
        at = {clamp(occupied.left(), free.left(), free.right() + 1 - size.width()),
              free.bottom() + 1 - size.height()};
        break;
    }
    return QRect(at, size);
}

} // namespace

QRect besideWindow(const QRect& screen, const QRect& occupied, QSize wanted, QSize smallest) {
    const QRect taken = occupied.intersected(screen);
    if (taken.isEmpty())
        return QRect(screen.topLeft(), wanted.boundedTo(screen.size()));
    const std::array sides{Side::Right, Side::Left, Side::Below, Side::Above};
    // Beside where the whole width fits, then below or above where a usable height does.
    for (const Side side : sides) {
        const QRect free = strip(screen, taken, side);
        const bool beside = side == Side::Right || side == Side::Left;
        if (free.isValid() && free.width() >= (beside ? wanted.width() : smallest.width()) &&
            free.height() >= smallest.height())
            return within(free, taken, side, wanted);
    }
    // A small screen: the largest free strip, however little, rather than over the controls.
    QRect best;
    for (const Side side : sides) {
        const QRect free = strip(screen, taken, side);
        if (!free.isValid())
            continue;
        const QRect candidate = within(free, taken, side, wanted);
        if (qint64(candidate.width()) * candidate.height() > qint64(best.width()) * best.height())
            best = candidate;
    }
    // The main window fills the screen: nothing else is left.
    return best.isEmpty() ? QRect(screen.topLeft(), wanted.boundedTo(screen.size())) : best;
}

void placeBeside(QWidget& window, const QWidget& main, QSize smallest) {
    const QScreen* screen = main.screen();
    if (!screen)
        return;
    const QSize frame = main.frameGeometry().size() - main.geometry().size();
    const QRect place = besideWindow(screen->availableGeometry(), main.frameGeometry(),
                                     window.size() + frame, smallest + frame);
    window.resize((place.size() - frame).expandedTo(window.minimumSize()));
    window.move(place.topLeft());
}

} // namespace vlnokan
