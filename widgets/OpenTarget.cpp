#include "widgets/OpenTarget.h"

#include <QDesktopServices>
#include <QUrl>

namespace vlnokan {

bool DesktopUrlHandler::open(const QString& target) {
    // The user's handler decides what an address means; a bare "www.…" becomes a web address.
    const QUrl url = QUrl::fromUserInput(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool OpenTarget(const QString& target) {
    if (target.trimmed().isEmpty())
        return false;
    return UrlHandlers::get().open(target);
}

} // namespace vlnokan
