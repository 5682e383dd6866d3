#pragma once

#include <QApplication>
#include <QEnterEvent>
#include <QWidget>

namespace vlnokan::test {

// The notifications the windowing system gives a widget when the pointer comes over it and
// leaves it.
inline void pointerEnters(QWidget& widget) {
    const QPointF inside(1, 1);
    QEnterEvent event(inside, inside, widget.mapToGlobal(inside));
    QApplication::sendEvent(&widget, &event);
}

inline void pointerLeaves(QWidget& widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

} // namespace vlnokan::test
