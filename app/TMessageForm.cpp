#include "app/TMessageForm.h"

#include "app/Desktop.h"
#include "core/Guard.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace vlnokan {

namespace {

// Multiples of the measured letter sizes, rounded to whole pixels with halves up.
int quarters(int unit, int quarterCount) {
    return (unit * quarterCount + 2) / 4;
}

QScreen* screenOfActiveWindow() {
    if (QWidget* active = QApplication::activeWindow(); active && active->screen())
        return active->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

TMessageForm::TMessageForm(const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_text(text) {
    setObjectName(QStringLiteral("TMessageForm"));
    setWindowTitle(title);
    setFont(QApplication::font("QMessageBox"));
    setModal(true);

    m_message = new QLabel(displayText(text), this);
    m_message->setObjectName(QStringLiteral("Message"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    layOut();
    centreOnScreen();
    m_ok->setFocus();
}

QString TMessageForm::displayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

void TMessageForm::layOut() {
    const QFontMetrics metrics(font());
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int cw = metrics.horizontalAdvance(letters) / 52;
    const int ch = metrics.height();

    const int marginX = 2 * cw;
    const int marginY = ch;
    const int gap = quarters(ch, 5);
    const int buttonWidth =
        std::max((25 * cw + 1) / 2, metrics.horizontalAdvance(m_ok->text()) + 8);
    const int buttonHeight = quarters(ch, 7);

    const QScreen* screen = screenOfActiveWindow();
    const int wrapWidth = screen ? screen->geometry().width() / 2 : 512;
    const QRect textBlock = metrics.boundingRect(
        QRect(0, 0, wrapWidth, 0),
        Qt::TextWordWrap | Qt::TextExpandTabs | Qt::AlignLeft | Qt::AlignTop, m_message->text());

    const int clientWidth = std::max(textBlock.width(), buttonWidth) + 2 * marginX;
    const int clientHeight = textBlock.height() + buttonHeight + gap + 2 * marginY;
    setFixedSize(clientWidth, clientHeight);
    m_message->setGeometry(marginX, marginY, textBlock.width(), textBlock.height());
    m_ok->setGeometry((clientWidth - buttonWidth) / 2, textBlock.height() + marginY + gap,
                      buttonWidth, buttonHeight);
}

void TMessageForm::centreOnScreen() {
    if (const QScreen* screen = screenOfActiveWindow()) {
        // The box is centred with its frame; without a window manager, or before the box is on
        // screen, there is none and the frame is the box itself.
        const QRect area = screen->geometry();
        const QSize outer = frameGeometry().size();
        move(area.x() + (area.width() - outer.width()) / 2,
             area.y() + (area.height() - outer.height()) / 2);
    }
}

bool TMessageForm::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    // A window manager frames the box only once it is on screen: then it is centred again, once,
    // with its frame.
    if (event->type() == QEvent::WindowActivate && !m_centredWithFrame &&
        frameGeometry() != geometry()) {
        m_centredWithFrame = true;
        centreOnScreen();
    }
    return handled;
}

QString TMessageForm::clipboardText() const {
    const QString rule = QString(27, u'-') + QStringLiteral("\r\n");
    QString button = m_ok->text();
    button.remove(u'&');
    return rule + windowTitle() + QStringLiteral("\r\n") + rule + m_text + QStringLiteral("\r\n") +
           rule + button + QStringLiteral("   \r\n") + rule;
}

void TMessageForm::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_C && modifiers == Qt::ControlModifier) {
        guarded([this] {
            Desktop::get().beep();
            Desktop::get().setClipboardText(clipboardText());
        });
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vlnokan
