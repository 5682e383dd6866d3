#include "packaging/ApplicationIcon.h"

namespace vlnokan {

QIcon applicationIcon() {
    QIcon icon;
    // The 32-pixel sixteen-colour image is the icon proper; the others serve taskbars and
    // switchers that ask for other sizes.
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/vlnokan/icons/vlnokan-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace vlnokan
