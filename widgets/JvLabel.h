#pragma once

#include "widgets/LabelFont.h"

#include <QColor>
#include <QLabel>
#include <QPointer>

#include <functional>

class QAction;

namespace vlnokan {

// A text label that sizes itself to its caption and, while the pointer is over it, can show its
// caption in another font (hot tracking) and give the application's hints another background.
// It takes no keyboard focus and has no background of its own: the window shows through.
class TJvLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(bool HotTrack READ HotTrack WRITE setHotTrack)
    Q_PROPERTY(QColor HintColor READ HintColor WRITE setHintColor)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)

public:
    using TNotifyEvent = std::function<void(QObject* sender)>;

    // The size a label has until its caption sets one.
    static constexpr int newWidth = 65;
    static constexpr int newHeight = 17;

    explicit TJvLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    // Shows caption and, with auto size on, fits the label to it.
    void setCaption(const QString& caption);
    // Hides the label's own setText so that every caption change fits the size.
    void setText(const QString& caption) { setCaption(caption); }

    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    // The label's font and caption colour.
    LabelFont labelFont() const;
    void setLabelFont(const LabelFont& labelFont);

    bool HotTrack() const { return m_hotTrack; }
    void setHotTrack(bool on) { m_hotTrack = on; }
    const LabelFont& HotTrackFont() const { return m_hotTrackFont; }
    // Copies the attributes of labelFont; the caller keeps its own.
    void setHotTrackFont(const LabelFont& labelFont) { m_hotTrackFont = labelFont; }
    const LabelFont& SavedFont() const { return m_savedFont; }

    QColor HintColor() const { return m_hintColor; }
    void setHintColor(const QColor& colour) { m_hintColor = colour; }
    QColor SavedHintColor() const { return m_savedHintColor; }
    bool Hovering() const { return m_hovering; }

    // While the label is being laid out in a designer, the pointer changes nothing.
    bool Designing() const { return m_designing; }
    void setDesigning(bool on) { m_designing = on; }

    void setOnMouseEnter(TNotifyEvent handler) { m_onMouseEnter = std::move(handler); }
    void setOnMouseLeave(TNotifyEvent handler) { m_onMouseLeave = std::move(handler); }
    void setOnCtl3DChanged(TNotifyEvent handler) { m_onCtl3DChanged = std::move(handler); }
    void setOnParentColorChange(TNotifyEvent handler) {
        m_onParentColorChange = std::move(handler);
    }
    void setOnClick(TNotifyEvent handler) { m_onClick = std::move(handler); }

    // The action a click executes when the label has no click handler of its own.
    QAction* Action() const { return m_action; }
    void setAction(QAction* action) { m_action = action; }

    // The width and height the caption takes in the label's current font.
    QSize captionSize() const;

    // The application's hint background: the colour tooltips are drawn on.
    static QColor applicationHintColor();
    static void setApplicationHintColor(const QColor& colour);
    // The desktop's own tooltip background, before the program changed anything.
    static QColor systemHintColor();

    // What a click does: the click handler, else the linked action.
    virtual void Click();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fitToCaption();
    void mouseEntered();
    void mouseLeft();

    bool m_autoSize = true;
    bool m_hotTrack = false;
    LabelFont m_hotTrackFont;
    LabelFont m_savedFont;
    QColor m_hintColor = systemHintColor();
    QColor m_savedHintColor = QColor::fromRgb(0);
    bool m_hovering = false;
    bool m_designing = false;
    // Set while the label recolours its own caption, which is no change of its parent's colour.
    bool m_ownColourChange = false;
    // A left press on the label that a release on the label turns into a click.
    bool m_pressed = false;
    TNotifyEvent m_onMouseEnter;
    TNotifyEvent m_onMouseLeave;
    TNotifyEvent m_onCtl3DChanged;
    TNotifyEvent m_onParentColorChange;
    TNotifyEvent m_onClick;
    QPointer<QAction> m_action;
};

} // namespace vlnokan
