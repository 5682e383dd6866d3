#pragma once

#include "core/Seam.h"

#include <QString>

#include <memory>

class QMessageBox;

namespace vlnokan {

// The two modal boxes the program speaks through. Both return when the user has closed them.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // A correction of an entry: the notice box (TMessageForm) with its OK button.
    virtual void showNotice(const QString& title, const QString& text) = 0;
    // A fault that ended a command: the desktop's message box with the stop icon and OK.
    virtual void showError(const QString& title, const QString& text) = 0;
};

class RealMessageBoxes final : public MessageBoxService {
public:
    void showNotice(const QString& title, const QString& text) override;
    void showError(const QString& title, const QString& text) override;
};

using MessageBoxes = Seam<MessageBoxService, RealMessageBoxes>;

// The error box as the real service shows it, before it is shown.
std::unique_ptr<QMessageBox> makeErrorBox(const QString& title, const QString& text);

} // namespace vlnokan
