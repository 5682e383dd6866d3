#include "app/MessageBoxes.h"

#include "app/TMessageForm.h"

#include <QApplication>
#include <QMessageBox>

namespace vlnokan {

void RealMessageBoxes::showNotice(const QString& title, const QString& text) {
    TMessageForm box(title, text, QApplication::activeWindow());
    box.exec();
}

void RealMessageBoxes::showError(const QString& title, const QString& text) {
    makeErrorBox(title, text)->exec();
}

std::unique_ptr<QMessageBox> makeErrorBox(const QString& title, const QString& text) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, title, text, QMessageBox::Ok,
                                             QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

} // namespace vlnokan
