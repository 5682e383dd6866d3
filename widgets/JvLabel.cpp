#include "widgets/JvLabel.h"

#include "core/Guard.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QToolTip>

namespace vlnokan {

namespace {

// A new font as the toolkit makes it: the application's font in the window text colour.
LabelFont defaultLabelFont() {
    return {QApplication::font(), QApplication::palette().color(QPalette::WindowText)};
}

} // namespace

TJvLabel::TJvLabel(QWidget* parent)
    : QLabel(parent), m_hotTrackFont(defaultLabelFont()), m_savedFont(defaultLabelFont()) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(0);
    setIndent(0);
    setWordWrap(false);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
    resize(newWidth, newHeight);
}

void TJvLabel::setCaption(const QString& caption) {
    QLabel::setText(caption);
    fitToCaption();
}

void TJvLabel::setAutoSize(bool on) {
    m_autoSize = on;
    fitToCaption();
}

LabelFont TJvLabel::labelFont() const {
    return {font(), palette().color(QPalette::Active, QPalette::WindowText)};
}

void TJvLabel::setLabelFont(const LabelFont& labelFont) {
    // Only the enabled looks take the colour: a disabled label keeps the desktop's grey.
    QPalette colours = palette();
    colours.setColor(QPalette::Active, QPalette::WindowText, labelFont.colour);
    colours.setColor(QPalette::Inactive, QPalette::WindowText, labelFont.colour);
    m_ownColourChange = true;
    setPalette(colours);
    m_ownColourChange = false;
    setFont(labelFont.font); // re-fits the size through the font change
}

QSize TJvLabel::captionSize() const {
    // An empty caption still takes the height of a line and the width of a space, so that the
    // label stays visible and can be pointed at.
    const QString measured = text().isEmpty() ? QStringLiteral(" ") : text();
    const QFontMetrics metrics(font(), this);
    const QRect bounds = metrics.boundingRect(
        QRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic,
        measured);
    return bounds.size();
}

void TJvLabel::fitToCaption() {
    // The top-left corner stays where the window put it; only width and height follow.
    if (m_autoSize)
        resize(captionSize());
}

QColor TJvLabel::applicationHintColor() {
    return QToolTip::palette().color(QPalette::Active, QPalette::ToolTipBase);
}

void TJvLabel::setApplicationHintColor(const QColor& colour) {
    // A hint showing at this moment takes the new background at once.
    QPalette colours = QToolTip::palette();
    colours.setColor(QPalette::ToolTipBase, colour);
    QToolTip::setPalette(colours);
}

QColor TJvLabel::systemHintColor() {
    return QApplication::palette().color(QPalette::Active, QPalette::ToolTipBase);
}

void TJvLabel::enterEvent(QEnterEvent* event) {
    // Handled here and not passed on: the window has no use for the label's pointer traffic.
    event->accept();
    guarded([this] { mouseEntered(); });
}

void TJvLabel::leaveEvent(QEvent* event) {
    event->accept();
    guarded([this] { mouseLeft(); });
}

void TJvLabel::mouseEntered() {
    if (m_designing)
        return;
    // Repeated enters find the hot state applied and must not save the hot font as the label's.
    if (!m_hovering) {
        m_savedHintColor = applicationHintColor();
        setApplicationHintColor(m_hintColor);
        if (m_hotTrack) {
            m_savedFont = labelFont();
            setLabelFont(m_hotTrackFont);
        }
        m_hovering = true;
    }
    if (m_onMouseEnter)
        m_onMouseEnter(this);
}

void TJvLabel::mouseLeft() {
    if (m_designing)
        return;
    if (m_hovering) {
        setApplicationHintColor(m_savedHintColor);
        if (m_hotTrack)
            setLabelFont(m_savedFont);
        m_hovering = false;
    }
    if (m_onMouseLeave)
        m_onMouseLeave(this);
}

void TJvLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        fitToCaption();
        break;
    case QEvent::StyleChange:
        // The desktop's style gives the label its 3-D look.
        if (m_onCtl3DChanged)
            guarded([this] { m_onCtl3DChanged(this); });
        break;
    case QEvent::PaletteChange:
        // The label's own caption colour is no change of its surroundings.
        if (!m_ownColourChange && m_onParentColorChange)
            guarded([this] { m_onParentColorChange(this); });
        break;
    default:
        break;
    }
}

void TJvLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void TJvLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is no new click: only the first press and release count.
    if (event->button() == Qt::LeftButton) {
        m_pressed = false;
        event->accept();
        return;
    }
    QLabel::mouseDoubleClickEvent(event);
}

void TJvLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // The label holds the pointer from the press on, so a release elsewhere still comes here.
        const bool click = m_pressed && rect().contains(event->position().toPoint());
        m_pressed = false;
        event->accept();
        if (click)
            guarded([this] { Click(); });
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void TJvLabel::Click() {
    if (m_onClick)
        m_onClick(this);
    else if (m_action)
        m_action->trigger();
}

} // namespace vlnokan
