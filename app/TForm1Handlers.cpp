#include "app/TForm1.h"

#include "app/VlnokanApplication.h"
#include "app/WindowView.h"
#include "calc/CalculateCommand.h"
#include "core/Guard.h"
#include "entry/KeyFilters.h"
#include "entry/Locale.h"
#include "print/PrintDiagram.h"
#include "template/TemplateDialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

namespace vlnokan {

namespace {

// The character a key press types, as the entry's filter sees it: Ctrl with a letter types the
// letter's control character (Ctrl+C is 3, Ctrl+V 22), Enter and Escape type theirs. Keys that
// type nothing (arrows, Home, Delete, Tab, function keys) give 0 and pass unfiltered.
char32_t typedCharacter(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    if (modifiers & Qt::AltModifier)
        return 0;
    if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return char32_t(key - Qt::Key_A + 1);
    if (key == Qt::Key_Backspace)
        return entry::backspace;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return 13;
    if (key == Qt::Key_Escape)
        return 27;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete)
        return 0;
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    const char32_t first = text.toUcs4().value(0);
    return first >= 0x20 && first != 0x7f ? first : 0;
}

} // namespace

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        // The window is activated once at start-up; later returns of the focus (another
        // application, a closed box) leave the entries alone.
        m_activated = true;
        const bool handled = QWidget::event(event);
        guarded([this] { FormActivate(); });
        return handled;
    }
    if (event->type() == QEvent::Resize && m_scroll)
        m_scroll->setGeometry(rect());
    return QWidget::event(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (watched == BitBtnCalc)
        return pressCalcOnEnter(key);
    return guarded([&] { return filterEntryKey(watched == EditGHz, key); }, true);
}

bool TForm1::pressCalcOnEnter(const QKeyEvent& key) {
    // Enter on the focused button presses it, as buttons do on the desktop the window was
    // designed for; Space stays the button's own.
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (!enter || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    BitBtnCalc->click();
    return true;
}

bool TForm1::filterEntryKey(bool frequency, const QKeyEvent& key) {
    const char32_t typed = typedCharacter(key);
    if (typed == 0)
        return false;
    const char32_t kept = frequency ? EditGHzKeyPress(typed) : EditDKeyPress(typed);
    return kept == 0;
}

char32_t TForm1::EditGHzKeyPress(char32_t key) {
    return entry::frequencyKeyAccepted(key) ? key : 0;
}

char32_t TForm1::EditDKeyPress(char32_t key) {
    return entry::integerKeyAccepted(key) ? key : 0;
}

void TForm1::FormActivate() {
    BitBtnCalc->setFocus();
    // The frequency is normalised to the separator the conversion itself reads (the user's
    // locale), so a text rewritten here always converts as the user wrote it.
    m_separator = entry::Locale::get().decimalSeparator();
    move(x(), 0);
    move(0, 0);
    // The click goes through the event queue, so a fault in the first calculation reaches the
    // application's error handler like any other.
    QMetaObject::invokeMethod(BitBtnCalc, &QAbstractButton::click, Qt::QueuedConnection);
}

void TForm1::BitBtnCalcClick() {
    WindowView view(*this);
    CalculateCommand(view, m_separator).run();
}

void TForm1::setDesign(const Design& design) {
    m_design = design;
    emit designChanged();
}

void TForm1::Print1Click() {
    printDiagram(Image2->diagram(), m_pixelsPerInch);
}

void TForm1::Template1Click() {
    if (!m_templateDialog) {
        m_templateDialog = new templ::TemplateDialog(this);
        m_templateDialog->setObjectName(QStringLiteral("TemplateDialog"));
        connect(this, &TForm1::designChanged, m_templateDialog,
                [this] { m_templateDialog->setDesign(m_design); });
    }
    m_templateDialog->setDesign(m_design);
    m_templateDialog->show();
    m_templateDialog->raise();
    m_templateDialog->activateWindow();
}

void TForm1::rint1Click() {
    printDiagram(Image1->diagram(), m_pixelsPerInch);
}

} // namespace vlnokan
