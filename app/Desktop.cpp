#include "app/Desktop.h"

#include "core/Faults.h"

#include <QApplication>
#include <QClipboard>

namespace vlnokan {

void RealDesktop::setClipboardText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        throw Exception("Cannot open clipboard");
    clipboard->setText(text, QClipboard::Clipboard);
}

void RealDesktop::beep() {
    QApplication::beep();
}

} // namespace vlnokan
