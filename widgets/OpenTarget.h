#pragma once

#include "core/Seam.h"

#include <QString>

namespace vlnokan {

// Hands an address to the desktop, which opens it with the user's default handler (a web page
// in the browser).
class UrlHandler {
public:
    virtual ~UrlHandler() = default;
    // Whether the desktop accepted the address.
    virtual bool open(const QString& target) = 0;
};

class DesktopUrlHandler final : public UrlHandler {
public:
    bool open(const QString& target) override;
};

using UrlHandlers = Seam<UrlHandler, DesktopUrlHandler>;

// Opens target with the desktop's handler; true when the desktop accepted it. An empty
// address is refused here and never reaches the desktop.
bool OpenTarget(const QString& target);

} // namespace vlnokan
