#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vlnokan {

// The notice box: the notice's text above one OK button, sized from the measured letters of the
// message-box font, centred on the screen with its frame. Enter, Escape, a click on OK or the frame
// close it; Ctrl+C beeps and copies caption, text and button as seven lines.
class TMessageForm final : public QDialog {
    Q_OBJECT

public:
    TMessageForm(const QString& title, const QString& text, QWidget* parent = nullptr);

    QLabel* message() const { return m_message; }
    QPushButton* okButton() const { return m_ok; }
    // What Ctrl+C puts on the clipboard.
    QString clipboardText() const;

    // The text as laid out: the line feed and carriage return after the first line make one
    // line break.
    static QString displayText(const QString& text);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layOut();
    void centreOnScreen();

    bool m_centredWithFrame = false;
    QString m_text;
    QLabel* m_message = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace vlnokan
