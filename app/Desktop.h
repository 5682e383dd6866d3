#pragma once

#include "core/Seam.h"

#include <QString>

namespace vlnokan {

// The clipboard and the default beep, as the notice box's Ctrl+C uses them.
class DesktopService {
public:
    virtual ~DesktopService() = default;
    // Puts plain text on the clipboard; Exception "Cannot open clipboard" when there is none.
    virtual void setClipboardText(const QString& text) = 0;
    virtual void beep() = 0;
};

class RealDesktop final : public DesktopService {
public:
    void setClipboardText(const QString& text) override;
    void beep() override;
};

using Desktop = Seam<DesktopService, RealDesktop>;

} // namespace vlnokan
