#include "app/WidthWarning.h"

#include "calc/Details.h"

#include <QMouseEvent>

namespace vlnokan {

WidthWarning::WidthWarning(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("WidthWarning"));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Podrobnosti antény…"));
    QPalette red = palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    setPalette(red);
    hide();
}

void WidthWarning::follow(const Design& design, const std::string& separator) {
    // Hidden first: a fault in the description leaves no stale warning behind.
    hide();
    if (!design.canKnown)
        return;
    const details::Details d = details::describe(design);
    if (!d.unavailable.empty() || !d.tooWide)
        return;
    setText(QString::fromStdString(details::tooWideWarning(d.window, separator)));
    show();
}

void WidthWarning::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace vlnokan
